#pragma once
// The main window's commands (buttons, accelerators, tray menu and the views' notices) and the
// interface sound each of them plays.

enum MainCommand : unsigned short {
    kCmdTypingPage = 600,
    kCmdStatisticsPage = 601,
    kCmdLessonPage = 602,
    kCmdClose = 604,
    kCmdMaximize = 605,
    kCmdMinimize = 606,
    kCmdKeyboardPanel = 607,
    kCmdOptions = 608,
    kCmdAbout = 609,
    kCmdHelp = 610,
    kCmdToTray = 611,
    kCmdHomePage = 612,
    kCmdTellFriend = 613,

    kCmdNewLesson = 750,
    kCmdDelete = 751, // the lesson in the tree, or the point in the graph
    kCmdRenameLesson = 752,
    kCmdSaveLesson = 800,
    kCmdInsertLesson = 801,

    kCmdStartSelectedLesson = 3000,
    kCmdDeleteLaps = 3001,
    kCmdLessonCreated = 3002,
    kCmdLessonDeleted = 3003,
    kCmdLessonSaved = 3004,
    kCmdActivateLesson = 3005,
    kCmdSwitchToEditor = 3006,
    kCmdSwitchToTree = 3007,
    kCmdPrevDiagram = 3008,
    kCmdNextDiagram = 3009,
    kCmdNextPoint = 3010,
    kCmdPrevPoint = 3011,
    kCmdTreeTabChanged = 3012,
    kCmdLessonTabChanged = 3013,
    kCmdGraphTabChanged = 3014,
    kCmdScoreTabChanged = 3015,
    kCmdGraphChanged = 3016,
    kCmdPointsChanged = 3017,
    kCmdPointClicked = 3018,
    kCmdPointDblClicked = 3019,
    kCmdGroupingChanged = 3020,
    kCmdTypeFilterChanged = 3021,
    kCmdSelectAllPoints = 3022,
    kCmdLessonShown = 3023,
    kCmdFolderToggled = 3024,
    kCmdExportStatistics = 3025, // the statistics page's export button

    kCmdPauseLesson = 4016,
    kCmdRestartLesson = 4017,
    kCmdShowFromTray = 4020,
    kCmdFeedback = 4055,
};

// No interface sound for the command.
constexpr int kNoInterfaceSound = -1;

// The interface sound a command plays before it is handled: 1 when a view's selection or
// shown lesson changed, 2 for deletions, none for the keyboard panel, 0 for everything else.
constexpr int InterfaceSoundOfCommand(unsigned command)
{
    switch (command)
    {
    case kCmdGraphChanged:
    case kCmdPointsChanged:
    case kCmdPointClicked:
    case kCmdLessonShown:
        return 1;
    case kCmdDeleteLaps:
    case kCmdLessonDeleted:
        return 2;
    case kCmdKeyboardPanel:
        return kNoInterfaceSound;
    default:
        return 0;
    }
}
