#pragma once
// Control, picture and command numbers of the lesson tree view and the lesson view. The views
// talk to their parent window only by WM_COMMAND with these numbers in the low word.
namespace KV {

enum : unsigned short {
    // Elements of the tree view.
    kIdTreeCourse = 2020,
    kIdTreeUser = 2021,
    kIdTreeTabs = 2022,
    kIdTabCourse = 2023,
    kIdTabUser = 2024,
    kIdPanelCourse = 2025,
    kIdPanelUser = 2026,
    // Elements of the lesson view.
    kIdLessonEditor = 2030,
    kIdLessonProperty = 2031,
    kIdLessonTabs = 2032,
    kIdTabText = 2033,
    kIdTabProperty = 2034,
    kIdPanelText = 2035,
    kIdPanelProperty = 2036,
    // Skin pictures besides the element numbers: the tab strips' and the panels' backgrounds.
    kPicLessonTabStrip = 2411,
    kPicLessonPanel = 700,
    // Commands the views handle.
    kCmdNewLesson = 750,
    kCmdDeleteLesson = 751,
    kCmdRenameLesson = 752,
    kCmdSaveLesson = 800,
    kCmdInsertLesson = 801,
    kCmdActivateLesson = 3005,
    kCmdFocusLessonView = 3006,
    kCmdFocusLessonTree = 3007,
    // Commands the views send to their parent.
    kMsgActiveLessonChanged = 3000,
    kMsgLessonCreated = 3002,
    kMsgLessonDeleted = 3003,
    kMsgLessonSaved = 3004,
    kMsgTreeTabChanged = 3012,
    kMsgLessonTabChanged = 3013,
    kMsgLessonShown = 3023, // the lesson ID in lParam
    kMsgFolderToggled = 3024,
    // Icons of the lesson tree in this library's resources.
    kIconLesson = 154,
    kIconLessonActive = 155,
};

} // namespace KV
