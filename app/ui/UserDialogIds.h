#pragma once
// Templates and controls of the user dialogs (shared by the code and the resource script).
#define IDD_SELECT_USER 4100
#define IDD_NEW_USER 4110
#define IDD_SELECT_AVATARS 4120

#define IDC_USER_LIST 4101
#define IDC_USER_TEXT 4102
#define IDC_USER_PICTURE 4103

#define IDC_NICK_LABEL 4111
#define IDC_NICK 4112
#define IDC_FULLNAME_LABEL 4113
#define IDC_FULLNAME 4114
#define IDC_DESCRIPTION_LABEL 4115
#define IDC_DESCRIPTION 4116
#define IDC_PICTURE_LABEL 4117
#define IDC_PICTURE 4118
#define IDC_CHANGE 4119

#define IDC_AVATAR_LIST 4121
#define IDC_AVATAR_TEXT 4122
#define IDC_AVATAR_PICTURE 4123
#define IDC_AVATAR_WEB 4124
