#pragma once
// Good and bad key strokes per character, counted while typing.
#include "kvfwctrl/kvfwctrl_api.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CLetter
{
public:
    explicit CLetter(wchar_t letter = 0) : m_cLetter(letter), m_nGood(0), m_nBad(0) {}

    wchar_t GetLetter() const { return m_cLetter; }
    unsigned short GetGood() const { return m_nGood; }
    unsigned short GetBad() const { return m_nBad; }
    void AddGood() { ++m_nGood; }
    void AddBad() { ++m_nBad; }

    // Version 1: letter, good, bad. Returns 0 (record left zero) on another version.
    void Serialize(std::ostream& out) const;
    int Serialize(std::istream& in);

private:
    wchar_t m_cLetter;
    unsigned short m_nGood;
    unsigned short m_nBad;
};

class KVFWCTRL_API CLetterList
{
public:
    CLetterList() = default;
    CLetterList(const CLetterList&) = delete;
    CLetterList& operator=(const CLetterList&) = delete;
    virtual ~CLetterList();

    void AddGood(wchar_t letter);
    void AddBad(wchar_t letter);

    unsigned long GetSize() const { return static_cast<unsigned long>(m_letters.size()); }
    const CLetter* Get(unsigned long index) const
    {
        return index < m_letters.size() ? m_letters[index] : nullptr;
    }

    // Version 1, count, records; a wrong version shows "Wrong version file: *.let".
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

protected:
    CLetter* FindByLetter(wchar_t letter) const;
    void Clear();

    std::vector<CLetter*> m_letters;
};

} // namespace KV
