#include "find_clipboard.h"

#include "settings/auxiliary.h"

#include <windows.h>
#include <ole2.h>

namespace {

bool ClipboardIsOurs()
{
    HWND owner = ::GetClipboardOwner();
    if (!owner)
        return false;
    DWORD process = 0;
    ::GetWindowThreadProcessId(owner, &process);
    return process == ::GetCurrentProcessId();
}

} // namespace

bool TakeOwnCutOffClipboard()
{
    if (!ClipboardIsOurs() || !AuxiliaryFunctions::GetClipboardCutFlag())
        return false;
    AuxiliaryFunctions::SetClipboardCutFlag(false);
    ::OleSetClipboard(nullptr);
    return true;
}
