#pragma once
// Builds user-file bytes by hand, field by field, as the file formats describe them.
#include <string>

namespace userbytes {

class Bytes
{
public:
    Bytes& US(unsigned value)
    {
        m_s += static_cast<char>(value & 0xFF);
        m_s += static_cast<char>((value >> 8) & 0xFF);
        return *this;
    }
    Bytes& UL(unsigned long value)
    {
        US(value & 0xFFFF);
        return US((value >> 16) & 0xFFFF);
    }
    Bytes& UC(unsigned value)
    {
        m_s += static_cast<char>(value & 0xFF);
        return *this;
    }
    Bytes& Str(const std::wstring& text)
    {
        US(static_cast<unsigned>(text.size()));
        for (wchar_t c : text)
            US(static_cast<unsigned>(c));
        return *this;
    }
    Bytes& Raw(const std::string& bytes)
    {
        m_s += bytes;
        return *this;
    }
    const std::string& Get() const { return m_s; }

private:
    std::string m_s;
};

// Header record, version 2.
inline std::string Header(const std::wstring& nick, const std::wstring& id)
{
    return Bytes().US(2).Str(nick).Str(L"Full " + nick).Str(L"About " + nick).Str(L"1-heart").Str(id).Get();
}

// An empty lap record (version 4) and a lap list (version 7) without stored laps.
inline std::string EmptyLap()
{
    Bytes b;
    b.US(4);
    for (int i = 0; i < 9; ++i)
        b.US(0);
    b.US(1).US(0); // letter statistics, no letters
    return b.US(0).Str(L"").US(0).Get();
}

inline std::string LapList(const std::wstring& klid, unsigned lessonId, unsigned letterIndex, unsigned select,
                           unsigned course)
{
    return Bytes()
        .US(7)
        .US(0)
        .US(0)
        .Raw(EmptyLap())
        .US(lessonId)
        .US(letterIndex)
        .US(select)
        .Str(klid)
        .US(0)
        .US(course)
        .Get();
}

inline std::string Store(const std::string& list, const std::wstring& klid)
{
    return Bytes().US(3).US(1).Raw(list).Str(klid).Get();
}

} // namespace userbytes
