#include "kvstruct/core/LineText.h"

#include <cstring>
#include <cwchar>

namespace KV {

namespace {

template <typename Char>
std::basic_string<Char> OneLine(const Char* source)
{
    std::basic_string<Char> out;
    if (!source)
        return out;
    for (const Char* p = source; *p; ++p)
    {
        if (*p == Char('\r'))
            continue;
        if (*p == Char('\n'))
        {
            if (out.empty() || p[1] == 0 || out.back() == Char(' '))
                continue;
            out.push_back(Char(' '));
            continue;
        }
        out.push_back(*p);
    }
    return out;
}

template <typename Char>
Char* PutLine(const Char* source, Char* dest, size_t destSize)
{
    if (!dest || !destSize)
        return dest;
    std::basic_string<Char> line = OneLine(source);
    if (line.size() > destSize - 1)
        line.resize(destSize - 1);
    std::char_traits<Char>::copy(dest, line.c_str(), line.size() + 1);
    return dest;
}

template <typename Char>
size_t Length(const Char* s)
{
    return s ? std::char_traits<Char>::length(s) : 0;
}

} // namespace

wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest, size_t destSize)
{
    return PutLine(source, dest, destSize);
}

char* Remove_CR_LF_A(const char* source, char* dest, size_t destSize)
{
    return PutLine(source, dest, destSize);
}

// The line is never longer than the source.
wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest)
{
    return PutLine(source, dest, Length(source) + 1);
}

char* Remove_CR_LF_A(const char* source, char* dest)
{
    return PutLine(source, dest, Length(source) + 1);
}

std::wstring Remove_CR_LF_W(const std::wstring& source)
{
    return OneLine(source.c_str());
}

std::string Remove_CR_LF_A(const std::string& source)
{
    return OneLine(source.c_str());
}

} // namespace KV
