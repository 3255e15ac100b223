#pragma once
// Child window identifiers of the help window, so that the window can be driven and inspected
// from outside (tests, accessibility tools) as well as from its own code.
#define IDC_PIC_ICONE 1001
#define IDC_BTN_OK 1 // IDOK: Enter presses it
#define IDC_TXT_DESCRIPTION 1003
#define IDC_IMG_DONNER 1004
#define IDC_LBL_EMAIL 1006
#define IDC_LBL_SITE 1007
#define IDC_LBL_1 1008
#define IDC_LBL_0 1009
#define IDC_LBL_AUTEUR 1010
