#pragma once
// Resource numbers shared by the resource script and the code that loads the resources.
#define IDI_APPLICATION_ICON 1
#define IDI_APPLICATION_ICON_48 30001
#define IDI_APPLICATION_ICON_32 30002
#define IDI_APPLICATION_ICON_16 30003
#define IDR_DONATE_FR 102
#define IDR_DONATE_EN 103
#define IDC_HAND_CURSOR 104
#define IDR_USAGE_TEXT 105
