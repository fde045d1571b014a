#pragma once

// "Show Icon" of the current user. A profile without it shows the icon: it is the only way
// to reach the module's menu.
bool ShowIconSetting();
