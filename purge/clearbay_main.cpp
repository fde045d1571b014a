// Clearbay: finds and removes what installations of the suite leave on a machine.
#include "com/com_apartment.h"
#include "command_line.h"
#include "folder_locations.h"
#include "purge_dialog.h"
#include "purge_text.h"
#include "res/clearbay_string_ids.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const RunMode mode = RunModeOf(::GetCommandLineW());
    if (mode == RunMode::Unusable) {
        ::MessageBoxA(nullptr, PurgeText(IDS_WRONG_USAGE).c_str(), PurgeText(IDS_APP_CAPTION).c_str(),
                      MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
        return 1;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The shell's file operation and folder look-ups expect COM on the thread.
    const ComApartment com;
    PurgeDialog dialog(FolderLocations::FromShell());
    if (mode == RunMode::Silent)
        return dialog.RunSilent() ? 0 : 1;
    dialog.RunModal();
    return 0;
}
