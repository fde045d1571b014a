// Numbers of the search module's launch-object texts, a block of sixteen of their own
// (7216 / 16) beside the taskbar-icon texts.
#pragma once

#define IDS_LAUNCH_NO_TARGET_FMT     7216
#define IDS_LAUNCH_CANNOT_START_FMT  7217
