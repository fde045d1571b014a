#pragma once

#include "item/item.h"

#include <windows.h>

// Opens the editor of the action's type ("%s Message Box", "%s Parameter List" or "%s File
// Dialog"); true when the user ended it with OK, the action then edited.
bool EditLOAction(HWND owner, LOAction& action, bool adding);
