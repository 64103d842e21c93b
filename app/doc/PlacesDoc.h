#pragma once
// Where the user left the windows: the main window, its two splitters, the last places of
// five dialogs and a few view settings.
#include "kvstruct/core/Geometry.h"

#include <istream>
#include <ostream>

class CPlacesDoc
{
public:
    enum : int {
        RectAvatars = 0,
        RectSelectUser = 1,
        RectResults = 2,
        RectOptions = 3,
        RectAbout = 4,
        RectCount = 5,
        ViewCount = 5,
    };

    CPlacesDoc();
    virtual ~CPlacesDoc();

    void SetDefault();
    // Record version 8.
    void Serialize(std::ostream& out) const;
    // Older versions leave the fields they lack at their defaults. 0 for a refused version 0
    // (the user is told) or a record cut short.
    int Serialize(std::istream& in);

    KV::CPoint m_position;
    KV::CSize m_size;
    unsigned long m_nWindowState;
    unsigned short m_nSplitA;
    unsigned short m_nSplitB;
    KV::CRect m_rects[RectCount];
    unsigned short m_nView[ViewCount];
    unsigned short m_nLastSetting;
};
