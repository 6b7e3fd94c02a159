/* Resource ids of setup.exe: dialogs, controls, the icon, the version menu string and command. */
#pragma once

#define IDD_VERSION      100
#define IDS_VERSION_MENU 101
#define IDD_DESTINATION  102
#define IDI_SETUP        128

#define IDC_DEST_FOLDER  1001
#define IDC_PROGRESS     1002

/* The version box's system-menu command; the system keeps the low four bits of such ids. */
#define IDM_VERSION      0x0010

#ifndef IDC_STATIC
#define IDC_STATIC       (-1)
#endif
