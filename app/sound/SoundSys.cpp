#include "app/sound/SoundSys.h"

namespace {

// Commands with a sound of their own.
const unsigned int kCommandDeleteLaps = 3001;
const unsigned int kCommandLessonDeleted = 3003;
const unsigned int kCommandStatisticChanged = 3016;
const unsigned int kCommandSelectionChanged = 3017;
const unsigned int kCommandPointClicked = 3018;
const unsigned int kCommandLessonShown = 3023;
const unsigned int kCommandKeyboardPanel = 607;

// Notifications of edit, list and combo box controls that are no user command: focus, change,
// update and cancelled selections play nothing. List boxes share codes 3 and 4
// (LBN_SELCANCEL, LBN_SETFOCUS) with combo boxes.
const WORD kSilentNotifications[] = {CBN_SETFOCUS, CBN_KILLFOCUS, CBN_SELENDCANCEL, EN_SETFOCUS,
                                     EN_KILLFOCUS, EN_CHANGE,     EN_UPDATE};

} // namespace

CSoundSys::CSoundSys()
{
    CSoundSys::SetDefault();
}

void CSoundSys::SetDefault()
{
    Clear();
    Add(SoundClick, L"click-1.ogg");
    Add(SoundTool, L"click-2.ogg");
    Add(SoundAlarm, L"alarm-3.ogg");
}

int GetCommandSoundID(unsigned int commandId)
{
    switch (commandId)
    {
    case kCommandStatisticChanged:
    case kCommandSelectionChanged:
    case kCommandPointClicked:
    case kCommandLessonShown:
        return CSoundSys::SoundTool;
    case kCommandDeleteLaps:
    case kCommandLessonDeleted:
        return CSoundSys::SoundAlarm;
    case kCommandKeyboardPanel:
        return -1;
    default:
        return CSoundSys::SoundClick;
    }
}

int PlayCommandSound(CSoundSys* sounds, unsigned int commandId, int soundFlag)
{
    if (!sounds || !soundFlag)
        return 0;
    int id = GetCommandSoundID(commandId);
    if (id < 0)
        return 0;
    sounds->Play(static_cast<unsigned short>(id));
    return 1;
}

int PlayDialogCommandSound(CSoundSys* sounds, WPARAM wParam, int soundFlag)
{
    for (WORD code : kSilentNotifications)
        if (HIWORD(wParam) == code)
            return 0;
    return PlayCommandSound(sounds, LOWORD(wParam), soundFlag);
}

int PlayDialogNotifySound(CSoundSys* sounds, const NMHDR* header, int soundFlag)
{
    if (!sounds || !header || !soundFlag)
        return 0;
    if (header->code != static_cast<UINT>(NM_CLICK) && header->code != static_cast<UINT>(TVN_SELCHANGEDW))
        return 0;
    sounds->Play(CSoundSys::SoundClick);
    return 1;
}
