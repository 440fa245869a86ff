#pragma once
// Resource ids shared by the resource script and the program. Kept free of anything but
// #defines so that windres and the C++ compiler can both read it.

#define IDI_VELLUMDESK 1
#define IDI_PADLOCK 2
#define IDB_TOOLBAR 100
// The same glyphs drawn at 24x24, for 144 DPI: cell 2k normal, 2k+1 disabled, as in IDB_TOOLBAR.
#define IDB_TOOLBAR24 101

#include "Version.h" // VD_VERSION_NUMBERS, VD_VERSION_TEXT

// The ReadMe text (Windows-1252, CR LF), shown by the ReadMe window and shipped as ReadMe.txt.
#define IDR_README 200
