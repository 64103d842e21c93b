#pragma once
// One font description (LOGFONTW) with its stored form.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

#include <istream>
#include <ostream>

namespace KV {

class KVSTRUCT_API CLogFont
{
public:
    // The default font: Courier New, bold, height -14.
    CLogFont();
    explicit CLogFont(const LOGFONTW& font);
    CLogFont(const CLogFont& other);
    virtual ~CLogFont();

    CLogFont& operator=(const CLogFont& other);
    CLogFont& operator=(const LOGFONTW& font);
    void SetLOGFONT(const LOGFONTW& font);
    const LOGFONTW& GetLOGFONT() const { return m_lf; }
    LOGFONTW& GetLOGFONT() { return m_lf; }

    const wchar_t* GetName() const { return m_lf.lfFaceName; }
    // Cut to 31 characters.
    void SetName(const wchar_t* face);
    LONG GetSize() const { return m_lf.lfHeight; }
    BYTE GetCharSet() const { return m_lf.lfCharSet; }
    // 1 when face, character set, height, weight and quality are equal.
    int Is(const LOGFONTW& font) const;
    int Init();

    // Version 1: five UInt32, eight bytes, the face as a string form. Returns 1.
    int Serialize(std::ostream& out) const;
    // 0 (and nothing changed) for version 0 or a record cut short; 1 otherwise.
    int Serialize(std::istream& in);

private:
    LOGFONTW m_lf;
};

} // namespace KV
