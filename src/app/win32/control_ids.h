#pragma once
// Identifiers of the main window's controls and menu items, and its window class. The
// end-to-end tests drive the window through them.

#define IDI_APP 1
#define IDI_SAVE 2
#define IDI_EMAIL 3
#define IDI_EXIT 4

#define ID_LBL_EMAIL_TO 1001
#define ID_TXT_EMAIL_TO 1002
#define ID_LABEL1 1003
#define ID_LABEL2 1004
#define ID_CMD_SAVE_TO_FILE 1005
#define ID_CMD_SENT_EMAIL 1006
#define ID_CMD_EXIT 1007
#define ID_LBL_COMPUTER_RUNNING 1008

#define ID_MNU_SAVE 2001
#define ID_MNU_EMAIL 2002
#define ID_MNU_EXIT 2003
#define ID_MNU_SYS_INFO 2004
#define ID_MNU_PRIVATE 2005

#define TORVEL_MAIN_CLASS "TORVELSupportMain"
#define TORVEL_MAIN_CLASS_W L"TORVELSupportMain"
