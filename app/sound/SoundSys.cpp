#include "app/sound/SoundSys.h"
#include "app/ui/Commands.h"

namespace {

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

// The command table says which interface sound a command plays; its numbers are the sound IDs.
static_assert(CSoundSys::SoundClick == 0 && CSoundSys::SoundTool == 1 && CSoundSys::SoundAlarm == 2,
              "interface sound IDs follow the command table");

int GetCommandSoundID(unsigned int commandId)
{
    return InterfaceSoundOfCommand(commandId);
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
