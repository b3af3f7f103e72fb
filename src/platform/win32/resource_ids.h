#pragma once
// Resource, menu command and control ids, shared by the resource script and the code.

#define IDI_QUORVEL 1
#define IDB_IMAGES_16 101
#define IDB_IMAGES_20 102
#define IDB_IMAGES_24 103
#define IDB_IMAGES_32 104
#define IDB_IMAGES_48 105

// Timers of the main window
#define IDT_TIMER1 1
#define IDT_SETTLE 2

// The notification-area icon's id and the message it sends to the main window
#define IDN_TRAY_ICON 1
#define WM_APP_TRAY (WM_APP + 1)

// Child controls of the main window
#define IDC_VIEW1 1001
