#pragma once
// A set of sounds played by ID through one audio back end, with a sound folder and a
// health flag that drops to 0 when the back end or a sound could not be loaded (the
// program then simply stays silent).
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/sound/Sound.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class CAudioBackend;

class KVSTRUCT_API CSoundSystem
{
public:
    static const unsigned long kChannels = 32;

    CSoundSystem();
    // Copies the sounds (owned by the copy), the path and the flag; the copy opens its
    // own back end when it is loaded.
    CSoundSystem(const CSoundSystem& other);
    // Replaces the list by copies of the other's sounds.
    CSoundSystem& operator=(const CSoundSystem& other);

    // Creates the back end when needed, then loads every sound. 1 when all loaded; 1 also
    // when no back end could be created (the flag drops to 0 and nothing plays); 0 when a
    // sound failed (the flag drops to 0; the others are loaded all the same).
    virtual int Load();
    // The first sound with the ID; 0 when there is none or it cannot play.
    virtual int Play(unsigned short id);
    // Releases every sound, then the back end. The list stays and can be loaded again.
    virtual int Release();
    // This system with a running back end, or null when none can be had (no device).
    virtual CSoundSystem* Create();
    virtual ~CSoundSystem();

    void SetPath(const wchar_t* folder) { m_sPath = folder ? folder : L""; }
    const wchar_t* GetPath() const { return m_sPath; }
    CAudioBackend* GetpSystem() const { return m_pSystem; }
    int IsHealthy() const { return m_bOk; }

    CSound* Get(unsigned long id) const;
    unsigned long GetSize() const { return static_cast<unsigned long>(m_list.size()); }
    CSound* GetAt(unsigned long index) const { return index < m_list.size() ? m_list[index] : nullptr; }
    // Appends a sound owned by this system.
    CSound* Add(unsigned long id, const wchar_t* fileName, int enable = 1, unsigned long volume = 100);
    // Releases and deletes every sound.
    void Clear();

    // Version 1: UInt16 count, then each sound's record. Reading empties the list first;
    // version 0 holds nothing more. Reading returns 0 when the data is damaged (a count
    // the data cannot hold, or records cut short); the whole records read stay.
    int Serialize(std::ostream& out) const;
    int Serialize(std::istream& in);

private:
    std::vector<CSound*> m_list;
    CAudioBackend* m_pSystem;
    CString m_sPath;
    int m_bOk;
};

} // namespace KV
