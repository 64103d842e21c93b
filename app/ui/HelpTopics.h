#pragma once
// Every page of the help file the program opens. The help check of the build reads the topic
// names from this file, so a topic is named here and nowhere else.

// Main window, by page.
constexpr const wchar_t* kHelpTypingPage = L"manual-current-lesson.html";
constexpr const wchar_t* kHelpStatisticsPage = L"manual-typing-statistics.html";
constexpr const wchar_t* kHelpLessonPage = L"manual-typing-lessons.html";

// Options dialog, in the order of its page tree (General ... Users). The statistics page's
// file name is spelt as the help file has always spelt it.
constexpr const wchar_t* kHelpOptionsPages[] = {
    L"manual-options-general.html",    L"manual-options-skins.html",     L"manual-options-keyboard.html",
    L"manual-options-shortcuts.html",  L"manual-options-languages.html", L"manual-options-sounds.html",
    L"manual-options-statictics.html", L"manual-options-users.html",
};

// First-run wizard.
constexpr const wchar_t* kHelpWizard = L"manual-dialog-wizard.html";
