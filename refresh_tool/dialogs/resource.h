#pragma once
// Resource and control ids of QvMatlabSetPath.

#define IDR_MAINFRAME 128
#define IDD_QVUIREFRESHMATLABPATHS_DIALOG 102
#define IDD_RUNNINGDLG 103

#define IDC_LIST64 1004
#define IDC_LIST32 1005
#define IDC_COMBO_PLATFORM 1006

// Labels that the program never addresses.
#define IDC_STATIC (-1)

// Type of a dialog's initialisation data (the strings its controls receive at creation).
#define RT_DIALOG_INIT 240
