#pragma once

#include <windows.h>
#include <shlobj.h>

// Asks the Explorer window's active view to act on its own selection through one of the
// registered messages (ViewMessages), as the view takes them from outside: an MSG with that
// message, no window and no parameters. True when the view took it (S_OK); false without a
// view or when the view left it to the sender.
bool AskActiveView(IShellBrowser& browser, UINT message);
