#pragma once
// Moving the users' files to another user folder without ever losing them: every file is
// copied and read back before the settings name the new folder, and only then are the old
// files removed.
#include <string>

class CUserSettings;

enum : int {
    TransferDone = 1,
    TransferWrongPath = -1,    // not a folder, or the current one
    TransferAccessDenied = -2, // nothing may be written there
    TransferFailed = -3,       // a copy failed or differed; everything stayed where it was
};

// Moves the ".sta", ".opt", ".pla" and ".usr" files of the settings' user folder to folder and
// sets "UserPath" to it.
int TransferUserFiles(CUserSettings& settings, const std::wstring& folder);
