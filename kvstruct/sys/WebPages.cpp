#include "kvstruct/sys/WebPages.h"
#include "kvstruct/sys/Random.h"
#include "kvstruct/sys/Shell.h"
#include "kvstruct/sys/TimeText.h"

#include <cwchar>
#include <string>

namespace KV {

namespace {

const size_t kAddressSize = 4096;

// Appends "&key=" and the encoded value when the value is not empty. A value that does not fit
// in the address is cut at a whole character.
void AppendPair(std::wstring& address, const wchar_t* key, const wchar_t* value)
{
    if (!value || !value[0])
        return;
    std::wstring pair = key;
    if (address.size() + pair.size() >= kAddressSize)
        return;
    address += pair;
    wchar_t enc[kAddressSize];
    UrlEncode(value, enc, kAddressSize - address.size());
    address += enc;
}

// Opens a built address, cut to the address limit.
int OpenAddress(std::wstring& address)
{
    if (address.size() >= kAddressSize)
        address.resize(kAddressSize - 1);
    return ShellExec(address.c_str());
}

std::wstring PadLeft(const wchar_t* value, size_t width)
{
    std::wstring s = value ? value : L"";
    if (s.size() < width)
        s.insert(0, width - s.size(), L'0');
    return s;
}

// The check code digits: each decimal digit is replaced by its image here.
const wchar_t kDigitMap[11] = L"7390518264";

} // namespace

const wchar_t* GetContactPage()
{
    return L"https://fingerwaltz.example/contact";
}

const wchar_t* GetStatisticsPage()
{
    return L"https://fingerwaltz.example/records";
}

void UrlEncode(const wchar_t* value, wchar_t* dest, size_t destSize)
{
    if (!dest || !destSize)
        return;
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    size_t out = 0;
    dest[0] = 0;
    if (!value)
        return;
    for (const wchar_t* p = value; *p; ++p)
    {
        unsigned long cp = static_cast<unsigned short>(*p);
        if (cp >= 0xD800 && cp <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<unsigned short>(p[1]) - 0xDC00);
            ++p;
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        wchar_t piece[13];
        size_t len = 0;
        bool plain = (cp >= L'A' && cp <= L'Z') || (cp >= L'a' && cp <= L'z') || (cp >= L'0' && cp <= L'9') ||
                     cp == L'-' || cp == L'_' || cp == L'.' || cp == L'~';
        if (plain)
            piece[len++] = static_cast<wchar_t>(cp);
        else
        {
            unsigned char bytes[4];
            int nb = 0;
            if (cp < 0x80)
                bytes[nb++] = static_cast<unsigned char>(cp);
            else if (cp < 0x800)
            {
                bytes[nb++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            else if (cp < 0x10000)
            {
                bytes[nb++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            else
            {
                bytes[nb++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            for (int i = 0; i < nb; ++i)
            {
                piece[len++] = L'%';
                piece[len++] = kHex[bytes[i] >> 4];
                piece[len++] = kHex[bytes[i] & 0x0F];
            }
        }
        if (out + len + 1 > destSize)
            break; // never half a character
        wmemcpy(dest + out, piece, len);
        out += len;
    }
    dest[out] = 0;
}

int SendFeedBack(const wchar_t* page, const wchar_t* text, const wchar_t* version, const wchar_t* name,
                 const wchar_t* mail)
{
    std::wstring address = page ? page : L"";
    address += L"?&feedback=1";
    AppendPair(address, L"&name=", name);
    AppendPair(address, L"&mail=", mail);
    AppendPair(address, L"&ver=", version);
    AppendPair(address, L"&text=", text);
    return OpenAddress(address);
}

int SendBugs(const wchar_t* page, const wchar_t* version, const wchar_t* text)
{
    std::wstring address = page ? page : L"";
    address += L"?&errors=1";
    AppendPair(address, L"&ver=", version);
    AppendPair(address, L"&text=", text);
    return OpenAddress(address);
}

wchar_t* ConvertNum(wchar_t* text)
{
    if (text)
        for (wchar_t* p = text; *p; ++p)
            if (*p >= L'0' && *p <= L'9')
                *p = kDigitMap[*p - L'0'];
    return text;
}

int SendStatistics(const wchar_t* page, const wchar_t* rating, const wchar_t* name, const wchar_t* wpm,
                   const wchar_t* cpm, const wchar_t* accuracy, const wchar_t* seconds, const wchar_t* length)
{
    (void)cpm; // the page does not take it
    std::wstring code = L"1";
    code += GetRand(9);
    code += GetCurRecordTime();
    code += rating ? rating : L"";
    code += PadLeft(length, 4);
    code += PadLeft(accuracy, 3);
    code += PadLeft(wpm, 4);
    code += PadLeft(seconds, 4);
    if (code.size() > 255)
        code.resize(255);
    ConvertNum(&code[0]);

    std::wstring address = page ? page : L"";
    address += L"?";
    if (seconds && seconds[0])
        AppendPair(address, L"&r=", code.c_str());
    AppendPair(address, L"&n=", name);
    AppendPair(address, L"&w=", wpm);
    AppendPair(address, L"&a=", accuracy);
    AppendPair(address, L"&l=", length);
    AppendPair(address, L"&t=", seconds);
    return OpenAddress(address);
}

} // namespace KV
