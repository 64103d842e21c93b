#include "kvstruct/sys/LogFont.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/core/Serialize.h"

#include <cstring>
#include <cwchar>

namespace KV {

CLogFont::CLogFont()
{
    Init();
}

CLogFont::CLogFont(const LOGFONTW& font)
{
    SetLOGFONT(font);
}

CLogFont::CLogFont(const CLogFont& other) : m_lf(other.m_lf) {}

CLogFont::~CLogFont() = default;

CLogFont& CLogFont::operator=(const CLogFont& other)
{
    m_lf = other.m_lf;
    return *this;
}

CLogFont& CLogFont::operator=(const LOGFONTW& font)
{
    SetLOGFONT(font);
    return *this;
}

void CLogFont::SetLOGFONT(const LOGFONTW& font)
{
    m_lf = font;
    m_lf.lfFaceName[LF_FACESIZE - 1] = 0;
}

void CLogFont::SetName(const wchar_t* face)
{
    std::memset(m_lf.lfFaceName, 0, sizeof m_lf.lfFaceName);
    if (face)
        wcsncpy(m_lf.lfFaceName, face, LF_FACESIZE - 1);
}

int CLogFont::Is(const LOGFONTW& font) const
{
    return wcscmp(m_lf.lfFaceName, font.lfFaceName) == 0 && m_lf.lfCharSet == font.lfCharSet &&
                   m_lf.lfHeight == font.lfHeight && m_lf.lfWeight == font.lfWeight &&
                   m_lf.lfQuality == font.lfQuality
               ? 1
               : 0;
}

int CLogFont::Init()
{
    std::memset(&m_lf, 0, sizeof m_lf);
    m_lf.lfHeight = -14;
    m_lf.lfWeight = 700;
    m_lf.lfCharSet = DEFAULT_CHARSET;
    m_lf.lfQuality = PROOF_QUALITY;
    SetName(L"Courier New");
    return 1;
}

int CLogFont::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUL(out, static_cast<unsigned long>(m_lf.lfHeight));
    SerializeUL(out, static_cast<unsigned long>(m_lf.lfWidth));
    SerializeUL(out, static_cast<unsigned long>(m_lf.lfEscapement));
    SerializeUL(out, static_cast<unsigned long>(m_lf.lfOrientation));
    SerializeUL(out, static_cast<unsigned long>(m_lf.lfWeight));
    SerializeUC(out, m_lf.lfItalic);
    SerializeUC(out, m_lf.lfUnderline);
    SerializeUC(out, m_lf.lfStrikeOut);
    SerializeUC(out, m_lf.lfCharSet);
    SerializeUC(out, m_lf.lfOutPrecision);
    SerializeUC(out, m_lf.lfClipPrecision);
    SerializeUC(out, m_lf.lfQuality);
    SerializeUC(out, m_lf.lfPitchAndFamily);
    CString(m_lf.lfFaceName).Serialize(out);
    return 1;
}

int CLogFont::Serialize(std::istream& in)
{
    if (SerializeUS(in) == 0 || in.fail())
        return 0;
    LOGFONTW lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = static_cast<LONG>(SerializeUL(in));
    lf.lfWidth = static_cast<LONG>(SerializeUL(in));
    lf.lfEscapement = static_cast<LONG>(SerializeUL(in));
    lf.lfOrientation = static_cast<LONG>(SerializeUL(in));
    lf.lfWeight = static_cast<LONG>(SerializeUL(in));
    lf.lfItalic = SerializeUC(in);
    lf.lfUnderline = SerializeUC(in);
    lf.lfStrikeOut = SerializeUC(in);
    lf.lfCharSet = SerializeUC(in);
    lf.lfOutPrecision = SerializeUC(in);
    lf.lfClipPrecision = SerializeUC(in);
    lf.lfQuality = SerializeUC(in);
    lf.lfPitchAndFamily = SerializeUC(in);
    CString face;
    face.Serialize(in);
    if (in.fail())
        return 0; // a record cut short leaves the font as it was
    m_lf = lf;
    SetName(face);
    return 1;
}

} // namespace KV
