/* Resource and control ids of the start dialog, shared by the resource
   script and the dialog procedure. Plain #defines so windres reads them. */
#ifndef BRAKMOOR_START_DIALOG_IDS_H
#define BRAKMOOR_START_DIALOG_IDS_H

#define IDB_TITLE_PICTURE 101
#define IDD_START_DIALOG 103

#define IDC_RESOLUTION_640 1001
#define IDC_RESOLUTION_800 1002
#define IDC_RESOLUTION_1024 1003
#define IDC_RESOLUTION_1280 1004
#define IDC_RESOLUTION_1600 1005
#define IDC_DEPTH_16 1006
#define IDC_DEPTH_32 1007
#define IDC_FULL_SCREEN 1009
#define IDC_TITLE_PICTURE 1010

#endif
