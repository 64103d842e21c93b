#pragma once
// Which skin elements of the main window belong to the frame and to each page. Elements of one
// page share their place with those of the others: only the current page's are shown.

// Title, window buttons, page buttons and the tool strip with its page-dependent buttons (the
// keyboard panel button 607 and the export button 3025 show their hidden picture elsewhere).
constexpr unsigned short kFrameElements[] = {410, 606, 605, 604, 600, 601, 602, 411, 3025, 607};

// Typing view, the lesson, error and rhythm bars, the keyboard.
constexpr unsigned short kTypingPageElements[] = {303, 550, 551, 553, 304};
// Edges, score view, splitter, graph view.
constexpr unsigned short kStatisticsPageElements[] = {457, 306, 455, 305, 458};
// Edges, lesson tree view, splitter, lesson view.
constexpr unsigned short kLessonPageElements[] = {457, 301, 456, 302, 458};

// The splitter of each side-by-side page and the button shown only on that page.
constexpr unsigned short kStatisticsSplitter = 455;
constexpr unsigned short kLessonSplitter = 456;
constexpr unsigned short kExportButton = 3025;
