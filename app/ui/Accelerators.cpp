#include "app/ui/Accelerators.h"
#include "app/ui/FWDialog.h"
#include "app/ui/Commands.h"
#include "kvstruct/core/Param.h"
#include "kvstruct/files/IniTable.h"

#include <iterator>

namespace {

const BYTE kKey = FVIRTKEY;
const BYTE kCtrl = FVIRTKEY | FCONTROL;
const BYTE kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;

ACCEL Accel(BYTE modifiers, WORD key, WORD command)
{
    ACCEL accel;
    accel.fVirt = modifiers;
    accel.key = key;
    accel.cmd = command;
    return accel;
}

// Shown and with a picture: the columns the graph can draw.
const unsigned long kGraphColumnStyle = 0x11;
const int kMaxGraphColumnKeys = 10;

const ButtonTip kTips[] = {
    {kCmdTypingPage, L"TipLesson", nullptr},
    {kCmdStatisticsPage, L"TipStatistics", nullptr},
    {kCmdLessonPage, L"TipLessonEditor", nullptr},
    {kCmdClose, L"TipClose", nullptr},
    {kCmdMaximize, L"TipMaximize", nullptr},
    {kCmdMinimize, L"TipMinimize", nullptr},
    {kCmdKeyboardPanel, L"TipShowKeyboard", nullptr},
    {kCmdOptions, L"TipOptions", L"Ctrl+O"},
    {kCmdAbout, L"TipAbout", L"Ctrl+I"},
    {kCmdHelp, L"TipHelp", nullptr},
    {kCmdToTray, L"TipToTray", nullptr},
    {kCmdNewLesson, L"TipCreateLesson", L"Ctrl+N"},
    {kCmdDelete, L"TipDeleteLesson", L"Delete"},
    {kCmdRenameLesson, L"TipRenameLesson", L"Double-click"},
    {kCmdSaveLesson, L"TipSaveLesson", L"Ctrl+S"},
    {kCmdInsertLesson, L"TipInsertLesson", L"Ctrl+O"},
    {550, L"TipLessonLength", nullptr},
    {551, L"TipLessonErrors", nullptr},
    {553, L"TipTimeLetter", nullptr},
};

const ButtonTip kGraphDeleteTip = {kCmdDelete, L"TipDelDiagramPoint", L"Delete"};

std::wstring Text(const KV::CIniTable* lang, const wchar_t* key)
{
    return LangText(lang, key);
}

std::wstring WithHotKey(std::wstring text, const std::wstring& hotKey)
{
    return hotKey.empty() ? text : text + L" (" + hotKey + L")";
}

wchar_t GraphColumnKey(int index)
{
    return index < 9 ? static_cast<wchar_t>(L'1' + index) : L'0';
}

} // namespace

std::vector<ACCEL> MainAccelerators()
{
    return {
        Accel(kKey, VK_F1, kCmdHelp),           Accel(kKey, VK_F2, kCmdTypingPage),
        Accel(kKey, VK_F3, kCmdStatisticsPage), Accel(kKey, VK_F4, kCmdLessonPage),
        Accel(kKey, VK_F5, kCmdPauseLesson),    Accel(kKey, VK_F7, kCmdRestartLesson),
        Accel(kKey, VK_F9, kCmdKeyboardPanel),  Accel(kKey, VK_F12, kCmdClose),
        Accel(kKey, VK_ESCAPE, kCmdToTray),     Accel(kCtrl, 'I', kCmdAbout),
        Accel(kCtrl, 'O', kCmdOptions),         Accel(kCtrlShift, 'B', kCmdFeedback),
        Accel(kCtrl, 'P', kCmdPauseLesson),
    };
}

std::vector<ACCEL> LessonTreeAccelerators()
{
    return {
        Accel(kCtrl, 'N', kCmdNewLesson),      Accel(kKey, VK_DELETE, kCmdDelete),
        Accel(kCtrl, 'Q', kCmdSwitchToEditor), Accel(kKey, VK_SPACE, kCmdActivateLesson),
        Accel(kCtrl, 'O', kCmdInsertLesson),
    };
}

std::vector<ACCEL> LessonViewAccelerators()
{
    return {
        Accel(kCtrl, 'S', kCmdSaveLesson),
        Accel(kCtrl, 'Q', kCmdSwitchToTree),
        Accel(kCtrl, 'O', kCmdInsertLesson),
    };
}

std::vector<ACCEL> GraphAccelerators(const KV::CListParam& scoreColumns,
                                     const std::function<bool(unsigned long id)>& hasCheckBox)
{
    std::vector<ACCEL> table;
    for (unsigned long i = 0; i < scoreColumns.GetSize() && (int)table.size() < kMaxGraphColumnKeys; ++i)
    {
        const KV::CParam* column = scoreColumns.GetAt(i);
        if (column->GetStyle(0xFF) != kGraphColumnStyle || !hasCheckBox || !hasCheckBox(column->GetID()))
            continue;
        table.push_back(Accel(kCtrl, GraphColumnKey((int)table.size()), (WORD)column->GetID()));
    }
    const ACCEL rest[] = {
        Accel(kKey, VK_DELETE, kCmdDelete),    Accel(kKey, VK_RIGHT, kCmdPrevDiagram),
        Accel(kKey, VK_LEFT, kCmdNextDiagram), Accel(kKey, VK_DOWN, kCmdNextPoint),
        Accel(kCtrl, VK_DOWN, kCmdNextPoint),  Accel(kKey, VK_UP, kCmdPrevPoint),
        Accel(kCtrl, VK_UP, kCmdPrevPoint),    Accel(kCtrl, 'A', kCmdSelectAllPoints),
    };
    table.insert(table.end(), std::begin(rest), std::end(rest));
    return table;
}

const ButtonTip* FindButtonTip(unsigned short id, bool graph)
{
    if (graph && id == kCmdDelete)
        return &kGraphDeleteTip;
    for (const ButtonTip& tip : kTips)
        if (tip.id == id)
            return &tip;
    return nullptr;
}

std::wstring TipText(const KV::CIniTable* lang, const ButtonTip& tip)
{
    return WithHotKey(Text(lang, tip.key), tip.hotKey ? tip.hotKey : L"");
}

std::wstring GraphColumnTipText(const KV::CIniTable* lang, const wchar_t* columnTipKey, int keyIndex)
{
    std::wstring hotKey;
    if (keyIndex >= 0 && keyIndex < kMaxGraphColumnKeys)
        hotKey = std::wstring(L"Ctrl+") + GraphColumnKey(keyIndex);
    return WithHotKey(Text(lang, columnTipKey), hotKey);
}
