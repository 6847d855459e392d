#pragma once
// Identifiers of the About dialog's controls. The end-to-end tests drive the dialog through
// them; cmdOK is IDOK so that the dialog manager makes Enter press it.

#define ID_ABOUT_PIC_ICON 3001
#define ID_ABOUT_LBL_TITLE 3002
#define ID_ABOUT_LBL_VERSION 3003
#define ID_ABOUT_LBL_DESCRIPTION 3004
#define ID_ABOUT_LINE1 3005
#define ID_ABOUT_LBL_DISCLAIMER 3006
#define ID_ABOUT_CMD_SYS_INFO 3007
// cmdOK
#define ID_ABOUT_CMD_OK 1
