#pragma once
// Interface sounds: clicks on buttons and commands, an alarm for a few commands.
#include "kvstruct/sound/SoundSystem.h"

#include <windows.h>
#include <commctrl.h>

class CSoundSys : public KV::CSoundSystem
{
public:
    enum : unsigned short {
        SoundClick = 0, // every other command
        SoundTool = 1,  // tool commands
        SoundAlarm = 2, // commands that warn
    };

    // Sound folder beside the program, default list.
    CSoundSys();
    CSoundSys(const CSoundSys& other);
    CSoundSys& operator=(const CSoundSys& other);

    // Plays nothing (and reports success) while the interface sounds are off.
    int Play(unsigned short id) override;
    // Empties the list and appends the defaults.
    virtual void SetDefault();

    // The interface-sounds switch (non-zero on). It can be bound to a switch kept elsewhere
    // (the user's options); unbound, the set keeps its own, on by default.
    void SetpSwitch(const int* sw) { m_pSwitch = sw ? sw : &m_bSwitch; }
    void SetSwitch(int on) { m_bSwitch = on; }
    int IsOn() const { return *m_pSwitch != 0; }
    // Loads the sounds only while the switch is on (a silent set never opens the device).
    int LoadIfOn();

    using KV::CSoundSystem::Serialize;
    // As the list's own reader, except that damaged data leaves the defaults in place.
    int Serialize(std::istream& in);

private:
    int m_bSwitch;
    const int* m_pSwitch;
};

// The sound folder: the program's folder followed by "Sound\" (empty when it cannot be named).
void GetSoundFolderW(wchar_t* buffer);

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
