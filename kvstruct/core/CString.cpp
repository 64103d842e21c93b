#include "kvstruct/core/CString.h"
#include "kvstruct/core/Serialize.h"

#include <cwchar>
#include <cstdlib>
#include <vector>

namespace KV {

namespace {
wchar_t* NewEmpty()
{
    wchar_t* p = new wchar_t[1];
    p[0] = 0;
    return p;
}
} // namespace

CString::CString() : m_pBuffer(NewEmpty()) {}

CString::CString(const wchar_t* text) : m_pBuffer(nullptr)
{
    Assign(text, text ? static_cast<unsigned long>(wcslen(text)) : 0);
}

CString::CString(const CString& other) : m_pBuffer(nullptr)
{
    Assign(other.m_pBuffer, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pBuffer(other.m_pBuffer)
{
    other.m_pBuffer = NewEmpty();
}

CString::~CString()
{
    delete[] m_pBuffer;
}

CString& CString::operator=(const wchar_t* text)
{
    if (text != m_pBuffer)
        Assign(text, text ? static_cast<unsigned long>(wcslen(text)) : 0);
    return *this;
}

CString& CString::operator=(const CString& other)
{
    if (&other != this)
        Assign(other.m_pBuffer, other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (&other != this)
    {
        wchar_t* p = m_pBuffer;
        m_pBuffer = other.m_pBuffer;
        other.m_pBuffer = p;
    }
    return *this;
}

void CString::Assign(const wchar_t* text, unsigned long length)
{
    // The buffer is sized 2n+2 characters: room for n characters and the terminator, with slack.
    wchar_t* p = new wchar_t[2 * static_cast<size_t>(length) + 2];
    if (length)
        wmemcpy(p, text, length);
    p[length] = 0;
    delete[] m_pBuffer;
    m_pBuffer = p;
}

unsigned long CString::GetLength() const
{
    return static_cast<unsigned long>(wcslen(m_pBuffer));
}

void CString::Empty()
{
    delete[] m_pBuffer;
    m_pBuffer = NewEmpty();
}

bool CString::operator==(const wchar_t* text) const
{
    return wcscmp(m_pBuffer, text ? text : L"") == 0;
}

void CString::InitUniCode(const wchar_t* text)
{
    if (!text || !text[0])
    {
        Empty();
        return;
    }
    size_t n = wcslen(text);
    if (n > 4094)
        n = 4094;
    std::vector<wchar_t> tmp(n + 2);
    tmp[0] = 0xFFFE;
    wmemcpy(&tmp[1], text, n);
    tmp[n + 1] = 0;
    Assign(tmp.data(), static_cast<unsigned long>(n + 1));
}

void CString::Serialize(std::ostream& out) const
{
    unsigned short n = static_cast<unsigned short>(GetLength() & 0xFFFF);
    SerializeUS(out, n);
    for (unsigned short i = 0; i < n; ++i)
        SerializeUS(out, static_cast<unsigned short>(m_pBuffer[i]));
}

void CString::Serialize(std::istream& in)
{
    unsigned short n = SerializeUS(in);
    wchar_t* p = new wchar_t[static_cast<size_t>(n) + 1];
    unsigned short i = 0;
    for (; i < n && in.good(); ++i)
        p[i] = static_cast<wchar_t>(SerializeUS(in));
    p[i] = 0;
    delete[] m_pBuffer;
    m_pBuffer = p;
}

wchar_t* CString::Itow(wchar_t* buffer, size_t size, long value, int radix)
{
    wchar_t text[40]; // 32 binary digits, a sign and the terminator
    if (radix < 2 || radix > 36)
        text[0] = 0;
    else
        _ltow(value, text, radix);
    return CopyText(buffer, size, text);
}

wchar_t* CString::Itow(wchar_t* buffer, long value, int radix)
{
    return Itow(buffer, 34, value, radix);
}

int CString::Cmp(const wchar_t* a, const wchar_t* b)
{
    return wcscmp(a ? a : L"", b ? b : L"") == 0 ? 1 : 0;
}

} // namespace KV
