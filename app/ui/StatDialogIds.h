#pragma once
// Template and controls of the statistics filter bar (shared by the code and the resource script).
#define IDD_STAT_CUSTOM 4167
#define IDC_STAT_GROUPING 4168
#define IDC_STAT_TYPE_FILTER 4169
