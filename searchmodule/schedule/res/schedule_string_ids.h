// Numbers of the search module's taskbar-icon texts. They start a block of sixteen of their
// own (7200 / 16) so that other string tables of the program cannot collide with it.
#pragma once

#define IDS_TRAY_QUICK_SEARCH   7200
#define IDS_TRAY_FULL_SEARCH    7201
#define IDS_TRAY_EXIT           7202
