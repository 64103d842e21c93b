#include "app/doc/OptionsDoc.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/MsgBox.h"

namespace {

struct ColumnName
{
    unsigned long id;
    const wchar_t* name;
    const wchar_t* tip;
};

const ColumnName kScoreNames[] = {
    {1, L"DateLetter", L"TipDateLesson"},
    {2, L"NameLesson", L"TipNameLesson"},
    {3, L"TypeLesson", L"TipTypeLesson"},
    {704, L"SpeedWPM", L"TipSpeedWPM"},
    {701, L"SpeedCPM", L"TipSpeedCPM"},
    {706, L"Accuracy", L"TipAccuracy"},
    {707, L"AccuracyProc", L"TipAccuracyProc"},
    {702, L"Errors", L"TipErrors"},
    {705, L"ErrorsProc", L"TipErrorsProc"},
    {703, L"Duration", L"TipDuration"},
    {708, L"Length", L"TipLength"},
    {709, L"Rhythm", L"TipRhythm"},
};

const ColumnName kLetterNames[] = {
    {10, L"CharName", L"TipCharName"},
    {702, L"ErrorsChar", L"TipErrorsChar"},
    {705, L"ErrorsCharProc", L"TipErrorsCharProc"},
    {708, L"TotalChars", L"TipTotalChars"},
};

const unsigned long kDefaultColours[COptionsDoc::ColourCount] = {
    0xFF8000, 0x8000,   0xA6FFFF, 0x8080FF, 0x916A37, 0x910091, 0xB40000, 0x63C8,
    0xF2F2F2, 0xE6E6E6, 0xC0C0C0, 0x6B5F5F, 0x236723, 0x3E1CA4, 0x6A3145, 0x25B0C5,
};

} // namespace

COptionsDoc::COptionsDoc()
{
    SetDefault();
}

COptionsDoc::COptionsDoc(const COptionsDoc& other)
{
    SetDefault();
    *this = other;
}

COptionsDoc& COptionsDoc::operator=(const COptionsDoc& other)
{
    if (this == &other)
        return *this;
    m_sLanguage = other.m_sLanguage;
    m_sSkin = other.m_sSkin;
    m_sKeyboardType = other.m_sKeyboardType;
    m_nAnimation = other.m_nAnimation;
    m_nKeyboardScheme = other.m_nKeyboardScheme;
    m_nSoundSys = other.m_nSoundSys;
    m_sTextC = other.m_sTextC;
    m_nSoundGame = other.m_nSoundGame;
    m_sTextD = other.m_sTextD;
    m_sKLID = other.m_sKLID;
    m_layouts = other.m_layouts;
    m_nKeyboardView = other.m_nKeyboardView;
    m_nKeyboardContrast = other.m_nKeyboardContrast;
    m_nShowHands = other.m_nShowHands;
    m_nBackColour = other.m_nBackColour;
    m_nTextColour = other.m_nTextColour;
    m_nOptionG = other.m_nOptionG;
    m_nGoodColour = other.m_nGoodColour;
    m_nBadColour = other.m_nBadColour;
    m_scoreColumns = other.m_scoreColumns;
    m_letterColumns = other.m_letterColumns;
    m_nGroupMode = other.m_nGroupMode;
    m_nLessonFilter = other.m_nLessonFilter;
    m_font = other.m_font;
    m_nArhythmColour = other.m_nArhythmColour;
    m_soundSys = other.m_soundSys;
    m_soundGame = other.m_soundGame;
    for (int i = 0; i < ColourCount; ++i)
        m_colours[i] = other.m_colours[i];
    BindSwitches();
    return *this;
}

COptionsDoc::~COptionsDoc() = default;

void COptionsDoc::BindSwitches()
{
    m_soundSys.SetpSwitch(&m_nSoundSys);
    m_soundGame.SetpSwitch(&m_nSoundGame);
}

void COptionsDoc::SetDefault()
{
    m_sLanguage = L"English";
    m_sSkin = L"Default";
    m_sKeyboardType = L"Type #1";
    m_nAnimation = 1;
    m_nKeyboardScheme = 0;
    m_nSoundSys = 1;
    m_sTextC.Empty();
    m_nSoundGame = 1;
    m_sTextD.Empty();
    m_sKLID = GetActiveKLID();
    // Every layout the system has, each enabled until the user's stored flags say otherwise.
    m_layouts = KV::CListLayout();
    m_layouts.Init();
    m_nKeyboardView = 0;
    m_nKeyboardContrast = 0;
    m_nShowHands = 1;
    m_nBackColour = 0xFAFAFA;
    m_nTextColour = 0x0A0A0A;
    m_nOptionG = 2;
    m_nGoodColour = 0x8000;
    m_nBadColour = 0xF0;
    DefaultScoreColumns(m_scoreColumns);
    DefaultLetterColumns(m_letterColumns);
    m_nGroupMode = 0;
    m_nLessonFilter = 0;
    m_font.Init();
    m_nArhythmColour = 0xF0F0;
    m_soundSys.SetDefault();
    m_soundGame.SetDefault();
    for (int i = 0; i < ColourCount; ++i)
        m_colours[i] = kDefaultColours[i];
    BindSwitches();
}

void COptionsDoc::DefaultScoreColumns(KV::CListParam& list)
{
    list.Clear();
    list.Add(1, 0x101001, L"", L"");
    list.Add(2, 0x101001, L"", L"");
    list.Add(704, 0x1010, L"", L"");
    list.Add(701, 0x1111, L"", L"");
    list.Add(706, 0x1010, L"", L"");
    list.Add(707, 0x1011, L"", L"");
    list.Add(702, 0x1010, L"", L"");
    list.Add(705, 0x1010, L"", L"");
    list.Add(703, 0x2011, L"", L"");
    list.Add(708, 0x1010, L"", L"");
    list.Add(3, 0x101000, L"", L"");
    ReviseColumnNames(list, true);
}

void COptionsDoc::DefaultLetterColumns(KV::CListParam& list)
{
    list.Clear();
    list.Add(10, 0x101001, L"", L"");
    list.Add(705, 0x1111, L"", L"");
    list.Add(702, 0x1011, L"", L"");
    list.Add(708, 0x1011, L"", L"");
    ReviseColumnNames(list, false);
}

void COptionsDoc::ReviseColumnNames(KV::CListParam& list, bool scoreTable)
{
    const ColumnName* names = scoreTable ? kScoreNames : kLetterNames;
    const size_t count =
        scoreTable ? sizeof kScoreNames / sizeof *kScoreNames : sizeof kLetterNames / sizeof *kLetterNames;
    for (KV::CParam& item : list.m_items)
        for (size_t i = 0; i < count; ++i)
            if (item.id == names[i].id)
            {
                item.name = names[i].name;
                item.description = names[i].tip;
            }
}

void COptionsDoc::Serialize(std::ostream& out) const
{
    KV::SerializeUS(out, 14);
    m_sLanguage.Serialize(out);
    m_sSkin.Serialize(out);
    m_sKeyboardType.Serialize(out);
    KV::SerializeUS(out, m_nAnimation);
    KV::SerializeUS(out, m_nKeyboardScheme);
    KV::SerializeUS(out, static_cast<unsigned short>(m_nSoundSys));
    m_sTextC.Serialize(out);
    KV::SerializeUS(out, static_cast<unsigned short>(m_nSoundGame));
    m_sTextD.Serialize(out);
    m_sKLID.Serialize(out);
    m_layouts.Serialize(out);
    KV::SerializeUS(out, m_nKeyboardView);
    KV::SerializeUS(out, m_nKeyboardContrast);
    KV::SerializeUS(out, m_nShowHands);
    KV::SerializeUL(out, m_nBackColour);
    KV::SerializeUL(out, m_nTextColour);
    KV::SerializeUS(out, m_nOptionG);
    KV::SerializeUL(out, m_nGoodColour);
    KV::SerializeUL(out, m_nBadColour);
    m_scoreColumns.Serialize(out);
    m_letterColumns.Serialize(out);
    KV::SerializeUS(out, m_nGroupMode);
    KV::SerializeUS(out, m_nLessonFilter);
    m_font.Serialize(out);
    KV::SerializeUL(out, m_nArhythmColour);
    m_soundSys.Serialize(out);
    m_soundGame.Serialize(out);
}

int COptionsDoc::Serialize(std::istream& in)
{
    const unsigned short version = KV::SerializeUS(in);
    if (in.fail())
        return 0;
    if (version == 0)
    {
        KV::ShowWarning(L"Wrong version file: *.opt");
        return 0;
    }
    int ok = 1;
    m_sLanguage.Serialize(in);
    m_sSkin.Serialize(in);
    m_sKeyboardType.Serialize(in);
    m_nAnimation = KV::SerializeUS(in);
    m_nKeyboardScheme = KV::SerializeUS(in);
    m_nSoundSys = KV::SerializeUS(in);
    m_sTextC.Serialize(in);
    m_nSoundGame = KV::SerializeUS(in);
    m_sTextD.Serialize(in);
    unsigned short oldFlag = 0;
    if (version < 10)
    {
        oldFlag = KV::SerializeUS(in);
        KV::SerializeUS(in);
    }
    if (version >= 2 && version <= 11)
    {
        KV::CString face;
        face.Serialize(in);
        m_font.SetName(face);
    }
    if (version >= 3)
    {
        m_sKLID.Serialize(in);
        if (m_sKLID.IsEmpty())
            m_sKLID = GetActiveKLID();
    }
    if (version >= 4)
        m_layouts.Serialize(in);
    if (version >= 5)
    {
        m_nKeyboardView = KV::SerializeUS(in);
        m_nKeyboardContrast = KV::SerializeUS(in);
    }
    if (version >= 6)
        m_nShowHands = KV::SerializeUS(in);
    if (version >= 7)
    {
        m_nBackColour = KV::SerializeUL(in);
        m_nTextColour = KV::SerializeUL(in);
    }
    if (version >= 8)
        m_nOptionG = KV::SerializeUS(in);
    if (version >= 9)
    {
        m_nGoodColour = KV::SerializeUL(in);
        m_nBadColour = KV::SerializeUL(in);
    }
    if (version >= 10)
    {
        m_scoreColumns.Serialize(in);
        m_letterColumns.Serialize(in);
    }
    if (version >= 11)
    {
        m_nGroupMode = KV::SerializeUS(in);
        m_nLessonFilter = KV::SerializeUS(in);
    }
    if (version >= 12 && !m_font.Serialize(in))
        ok = 0;
    if (version >= 13)
        m_nArhythmColour = KV::SerializeUL(in);
    if (version >= 14)
    {
        // Each set puts its defaults back when its record is damaged.
        if (!m_soundSys.Serialize(in))
            ok = 0;
        if (!m_soundGame.Serialize(in))
            ok = 0;
    }
    if (version < 10 && oldFlag)
    {
        m_scoreColumns.SetShow(704, 1);
        m_scoreColumns.SetCheck(704);
        m_scoreColumns.SetShow(701, 0);
    }
    ReviseColumnNames(m_scoreColumns, true);
    ReviseColumnNames(m_letterColumns, false);
    BindSwitches();
    return ok && !in.fail() ? 1 : 0;
}
