#pragma once
// Interface sounds: clicks on buttons and commands, an alarm for a few commands.
#include "app/sound/SoundSet.h"

#include <windows.h>
#include <commctrl.h>

class CSoundSys : public CSoundSet
{
public:
    enum : unsigned short {
        SoundClick = 0, // every other command
        SoundTool = 1,  // tool commands
        SoundAlarm = 2, // commands that warn
    };

    // Sound folder beside the program, default list.
    CSoundSys();

    // Empties the list and appends the defaults.
    void SetDefault() override;
};

// The interface sound of a command identifier: 1 for the tool commands, 2 for those that
// warn, -1 for none, 0 for every other.
int GetCommandSoundID(unsigned int commandId);

// The main window's rule: plays the command's sound while soundFlag is set.
// Returns 1 when a sound was asked for.
int PlayCommandSound(CSoundSys* sounds, unsigned int commandId, int soundFlag);

// The dialogs' rule for WM_COMMAND (wParam: identifier and notification code): focus,
// change and update notifications of edit and list controls play nothing.
int PlayDialogCommandSound(CSoundSys* sounds, WPARAM wParam, int soundFlag);

// The dialogs' rule for WM_NOTIFY: a click or a new tree selection plays the click.
int PlayDialogNotifySound(CSoundSys* sounds, const NMHDR* header, int soundFlag);
