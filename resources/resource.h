#pragma once
// Resource numbers of Glidewing.exe. Included by Glidewing.rc and by the Win32 side of the
// program; plain #defines so that the resource compiler reads them too. This is the one list of
// the pictures: images/make_images.py draws a file for every IDI_ (icon) and IDB_ (bitmap) number
// here and binds them in images.rc, so a new picture is a number here and its drawing there.

// The program icon comes first: the shell shows the lowest-numbered icon of an executable.
#define IDI_GLIDEWING 1

// Tray icon images (IconImagelist): position 0 scrolling enabled, position 1 disabled.
#define IDI_TRAY_ENABLED 101
#define IDI_TRAY_DISABLED 102

// Tray menu pictures (ImageList1), in image-list order 0..3.
#define IDI_MENU_EXIT 111
#define IDI_MENU_SCROLL 112
#define IDI_MENU_LOCK 113
#define IDI_MENU_EJECT 114

// Pictures of the configuration window's buttons.
#define IDI_BUTTON_OK 121
#define IDI_BUTTON_CANCEL 122
#define IDI_BUTTON_APPLY 123
#define IDI_BUTTON_HELP 124
#define IDI_BUTTON_VISIT 125
#define IDI_BUTTON_MAIL 126

// 32 x 32 pictures of the groups and of the PopDesk page.
#define IDI_GROUP_SCROLL 131
#define IDI_GROUP_SWAP 132
#define IDI_GROUP_HIDE 133
#define IDI_GROUP_DEFAULT 134
#define IDI_GROUP_POPDESK 135
#define IDI_GROUP_APPS 136

// About page: the 83 x 83 logo and the tall side picture.
#define IDI_ABOUT_LOGO 141
#define IDB_ABOUT_SIDE 142
