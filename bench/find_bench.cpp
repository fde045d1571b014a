// The Find dialog against plain reading of the same folders, measured side by side in one run:
// a find over 10,000 disc shortcuts in 100 user folders whose pattern matches 1,000 of them,
// from Find Now until the dialog says how many it found (the results listed in the namespace's
// own view), against walking the root and the same 100 folders with the cache alone.
#include "cache/cache.h"
#include "com/com_apartment.h"
#include "find/find_media_dlg.h"
#include "recording_search_module.h"
#include "registry/registry.h"
#include "res/dialwise_ids.h"

#include "cache_folders.h"
#include "side_by_side.h"
#include "support/cache_tree.h"
#include "support/dialog_driver.h"
#include "support/modal_dialog_run.h"
#include "support/scripted_prompts.h"
#include "support/shellvue_class_registration.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace side_by_side;

namespace {

constexpr int kFolders = 100;
constexpr int kDiscsPerFolder = 100;
constexpr int kMatchesPerFolder = 10;

void FillTree()
{
    FillFolders(kFolders, kDiscsPerFolder, [](int f, int d) {
        return (d < kMatchesPerFolder ? "Atlas " : "Disc ") + std::to_string(f * kDiscsPerFolder + d);
    });
}

std::string StatusText(HWND dialog)
{
    char text[128] = {};
    ::SendMessageA(::GetDlgItem(dialog, IDC_FIND_STATUS), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

int main()
{
    const BenchInstallation installation;
    FillTree();
    RecordingModuleInstalled module;
    ScriptedPrompts prompts(IDOK);   // New Search asks before it clears

    ModalDialogRun run([] {
        const OleApartment ole;
        const ShellvueClassRegistered shellvue;
        FindMediaDlg dialog;
        return dialog.DoModal(nullptr);
    });
    HWND dialog = run.Window();
    HWND page = ::FindWindowExA(dialog, nullptr, MAKEINTATOM(32770), nullptr);

    std::printf("find benchmarks (%d discs in %d folders, %d found)\n", kFolders * kDiscsPerFolder, kFolders,
                kFolders * kMatchesPerFolder);
    std::string found;
    const auto find = [&] {
        TypeIntoItem(page, IDC_FIND_NAMED, "atlas");
        const double ms = Milliseconds([&] {
            ClickItem(dialog, IDC_FIND_NOW);
            while ((found = StatusText(dialog)).empty())
                ::Sleep(1);
        });
        ClickItem(dialog, IDC_FIND_NEW_SEARCH);
        return ms;
    };
    const auto cache = [&] {
        return Milliseconds(ReadRootAndItsFolders);
    };
    Report("find 1,000 of 10,000 discs in 100 folders until item(s) found", MeasureSelfTimed(find, cache), 3.0);
    if (found != "1000 item(s) found")
        std::printf("  the dialog said '%s', not 1000 item(s) found\n", found.c_str());
    CancelDialog(dialog);
    INT_PTR ended = 0;
    run.WaitForEnd(ended);
    return 0;
}
