#pragma once
// The user's options: interface language, skin, keyboard, colours, table columns, typing
// font and both sound sets.
#include "app/sound/SoundGame.h"
#include "app/sound/SoundSys.h"
#include "kvfwctrl/keyboard/Layout.h"
#include "kvstruct/core/CString.h"
#include "kvstruct/core/Param.h"
#include "kvstruct/sys/LogFont.h"

#include <istream>
#include <ostream>

class COptionsDoc
{
public:
    enum : int {
        ColourCount = 16, // colours kept for the session only
    };

    COptionsDoc();
    COptionsDoc(const COptionsDoc& other);
    COptionsDoc& operator=(const COptionsDoc& other);
    virtual ~COptionsDoc();

    void SetDefault();
    // Record version 14.
    void Serialize(std::ostream& out) const;
    // Reads the fields the stored version has; the others keep their values. 0 for a refused
    // version 0 (the user is told) or a record cut short.
    int Serialize(std::istream& in);

    // The two column lists as a new user gets them.
    static void DefaultScoreColumns(KV::CListParam& list);
    static void DefaultLetterColumns(KV::CListParam& list);
    // Gives every known column its own name and tip again, whatever a file said.
    static void ReviseColumnNames(KV::CListParam& list, bool scoreTable);

    KV::CString m_sLanguage;
    KV::CString m_sSkin;
    KV::CString m_sKeyboardType;
    unsigned short m_nAnimation;      // option A
    unsigned short m_nKeyboardScheme; // option B
    int m_nSoundSys;                  // interface sounds on
    KV::CString m_sTextC;
    int m_nSoundGame; // typing sounds on
    KV::CString m_sTextD;
    KV::CString m_sKLID;
    KV::CListLayout m_layouts;
    unsigned short m_nKeyboardView;     // option E
    unsigned short m_nKeyboardContrast; // option F
    unsigned short m_nShowHands;
    unsigned long m_nBackColour;
    unsigned long m_nTextColour;
    unsigned short m_nOptionG;
    unsigned long m_nGoodColour;
    unsigned long m_nBadColour;
    KV::CListParam m_scoreColumns;
    KV::CListParam m_letterColumns;
    unsigned short m_nGroupMode;
    unsigned short m_nLessonFilter;
    KV::CLogFont m_font;
    unsigned long m_nArhythmColour;
    CSoundSys m_soundSys;
    CSoundGame m_soundGame;
    unsigned long m_colours[ColourCount];

private:
    void BindSwitches();
};

// The name of the thread's active keyboard layout ("00000409"), read in one place.
using KV::GetActiveKLID;
