#include "kvstruct/sys/TimeText.h"
#include "kvstruct/core/TextCopy.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace KV {

namespace {

template <typename Char, typename ToText>
std::basic_string<Char> TimeText(const SYSTEMTIME& time, int kind, const Char* unit1, const Char* unit2,
                                 ToText toText)
{
    std::basic_string<Char> s;
    static const Char kEmpty[1] = {0};
    if (kind == 1)
    {
        // Two digits each, zero-padded.
        for (unsigned v : {unsigned(time.wMinute), unsigned(time.wSecond)})
        {
            if (!s.empty())
                s.push_back(Char(':'));
            s.push_back(Char('0' + v / 10 % 10));
            s.push_back(Char('0' + v % 10));
        }
    }
    else if (kind == 2)
        s = toText(time.wMinute) + (unit1 ? unit1 : kEmpty) + Char(' ') + toText(time.wSecond) +
            (unit2 ? unit2 : kEmpty);
    return s;
}

std::wstring WideTime(const SYSTEMTIME& time, int kind, const wchar_t* unit1, const wchar_t* unit2)
{
    return TimeText<wchar_t>(time, kind, unit1, unit2, [](unsigned v) { return std::to_wstring(v); });
}

} // namespace

std::wstring FormatToTimeW(const SYSTEMTIME& time, int kind, const wchar_t* unit1, const wchar_t* unit2)
{
    return WideTime(time, kind, unit1, unit2);
}

int FormatToTimeW(wchar_t* dest, const SYSTEMTIME& time, int kind, const wchar_t* unit1, const wchar_t* unit2,
                  size_t destSize)
{
    if (!dest || !destSize)
        return 0;
    CopyText(dest, destSize, WideTime(time, kind, unit1, unit2).c_str());
    return static_cast<int>(wcslen(dest));
}

int FormatToTimeA(char* dest, const SYSTEMTIME& time, int kind, const char* unit1, const char* unit2,
                  size_t destSize)
{
    if (!dest || !destSize)
        return 0;
    std::string s = TimeText<char>(time, kind, unit1, unit2, [](unsigned v) { return std::to_string(v); });
    CopyText(dest, destSize, s.c_str());
    return static_cast<int>(strlen(dest));
}

std::wstring GetCurRecordTime()
{
    SYSTEMTIME st;
    ::GetSystemTime(&st);
    wchar_t t[8];
    swprintf(t, 8, L"%02u%02u", st.wMinute, st.wSecond);
    return t;
}

void GetCurRecordTime(wchar_t* dest, size_t destSize)
{
    AppendText(dest, destSize, GetCurRecordTime().c_str());
}

void GetCurRecordTime(wchar_t* dest)
{
    if (!dest)
        return;
    size_t used = wcslen(dest);
    GetCurRecordTime(dest + used, 5);
}

} // namespace KV
