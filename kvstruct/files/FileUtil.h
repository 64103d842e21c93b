#pragma once
// Paths, files, shell operations, time texts, system information and the web pages of the
// product. Path buffers hold at least MAX_PATH (260) characters unless said otherwise.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

namespace KV {

// --- paths and files ---

// Folder of the running program with a trailing backslash; 0 when the system cannot name it.
KVSTRUCT_API int GetPathToExeW(wchar_t* buffer);
KVSTRUCT_API int GetPathToExeA(char* buffer);
// folder joined with name (".." and "." resolved, an absolute name wins); extension appended
// only when the result has none. The result is empty when it would not fit in MAX_PATH.
KVSTRUCT_API wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, const wchar_t* name,
                                  const wchar_t* extension);
KVSTRUCT_API wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, unsigned long number,
                                  const wchar_t* extension);
KVSTRUCT_API int rxPathFileExists(const wchar_t* path);
// Creates the folder with its missing parents. 1 when the folder exists afterwards; otherwise
// the warning "Create Directory failed. Path ..." and 0.
KVSTRUCT_API int CreateDirectoryW(const wchar_t* path);
// The same without the warning.
KVSTRUCT_API int ReviseFolder(const wchar_t* path);
// Open with a warning box on failure; INVALID_HANDLE_VALUE then.
KVSTRUCT_API HANDLE OpenFileRead(const wchar_t* path);
KVSTRUCT_API HANDLE OpenFileWrite(const wchar_t* path);
// The warning of a failed open: write 0 "Could not open file ", 1 "Could not write to file ",
// then the path and ". Access is denied." or ". Error: " and the code.
KVSTRUCT_API void ShowFileWarning(int write, const wchar_t* path, unsigned long error);
// Writes CR LF.
KVSTRUCT_API int WriteDiv(HANDLE file);

// One shell file operation: FO_MOVE 1, FO_COPY 2, FO_DELETE 3, FO_RENAME 4, undo allowed.
// 1 when the shell reports success and nothing was aborted. Paths over 259 characters are refused.
KVSTRUCT_API int FileOperation(unsigned int function, const wchar_t* from, const wchar_t* to);
// The layer under it: the shell's result code (0 success) and whether any part was aborted.
// Tests replace it, since a delete with undo asks the user in a modal box.
typedef int (*FileOperationHandler)(unsigned int function, const wchar_t* from, const wchar_t* to,
                                    unsigned short flags, BOOL* aborted);
KVSTRUCT_API int ShellFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to,
                                    unsigned short flags, BOOL* aborted);
// Returns the previous handler; nullptr restores SHFileOperationW.
KVSTRUCT_API FileOperationHandler SetFileOperationHandler(FileOperationHandler handler);
// A handler for tests and batch work: SHFileOperationW that never asks and never shows a box.
KVSTRUCT_API int SilentFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to,
                                     unsigned short flags, BOOL* aborted);

// Order of names in a folder listing as NTFS keeps it (ordinal, case-insensitive by upper case):
// <0, 0, >0. Folder scans sort with it, whatever order the host's file system lists.
KVSTRUCT_API int CompareFileNames(const wchar_t* a, const wchar_t* b);

// Opens a document, folder or web address with its program; 1 on success.
KVSTRUCT_API int ShellExec(const wchar_t* target);
typedef int (*ShellExecHandler)(const wchar_t* target);
// Returns the previous handler; nullptr restores ShellExecuteW.
KVSTRUCT_API ShellExecHandler SetShellExecHandler(ShellExecHandler handler);

// --- text and time ---

// One line: CR dropped, LF a space (not at the start, at the end or after a space).
// dest holds at least as many characters as source.
KVSTRUCT_API wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest);
KVSTRUCT_API char* Remove_CR_LF_A(const char* source, char* dest);
// kind 1 "mm:ss", kind 2 minutes unit1 " " seconds unit2, else empty. Returns the length.
// The text is cut to destSize - 1 characters.
KVSTRUCT_API int FormatToTimeW(wchar_t* dest, const SYSTEMTIME& time, int kind, const wchar_t* unit1,
                               const wchar_t* unit2, size_t destSize = 32);
KVSTRUCT_API int FormatToTimeA(char* dest, const SYSTEMTIME& time, int kind, const char* unit1,
                               const char* unit2, size_t destSize = 32);
// Appends the current UTC minute and second as four digits.
KVSTRUCT_API void GetCurRecordTime(wchar_t* dest);
// A random number 1..n in decimal (the tick count for n = 0).
KVSTRUCT_API void GetRand(wchar_t* dest, unsigned int n);

// --- system information ---

// Product version of a file: "1.2" or "1.2.3" (build not 0). 0 and an empty text when absent.
KVSTRUCT_API int GetAppVer(const wchar_t* file, wchar_t* dest);
// Display name of a keyboard layout from the registry; see the codes in FileUtil.cpp.
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG* status);
KVSTRUCT_API int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG& status);
// Multi-line machine description for error reports (cut to destSize - 1 characters).
KVSTRUCT_API void GetSysInfo(wchar_t* dest, size_t destSize = 2048);
// Brings Caps Lock to the requested state with a synthesised press (through the keyboard layer).
KVSTRUCT_API void PressKey(int key, int on);

// --- web pages of the product (values are percent-encoded as UTF-8) ---

// Contact page of the product's web site.
KVSTRUCT_API const wchar_t* GetContactPage();
KVSTRUCT_API const wchar_t* GetStatisticsPage();
KVSTRUCT_API int SendFeedBack(const wchar_t* page, const wchar_t* text, const wchar_t* version,
                              const wchar_t* name, const wchar_t* mail);
KVSTRUCT_API int SendBugs(const wchar_t* page, const wchar_t* version, const wchar_t* text);
KVSTRUCT_API int SendStatistics(const wchar_t* page, const wchar_t* rating, const wchar_t* name,
                                const wchar_t* wpm, const wchar_t* cpm, const wchar_t* accuracy,
                                const wchar_t* seconds, const wchar_t* length);
// The digit permutation of the statistics check code, in place.
KVSTRUCT_API wchar_t* ConvertNum(wchar_t* text);
// Percent-encoding of a value (UTF-8; letters, digits and - _ . ~ kept).
KVSTRUCT_API void UrlEncode(const wchar_t* value, wchar_t* dest, size_t destSize);

} // namespace KV
