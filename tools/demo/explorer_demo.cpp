// The demo's last step: Wine's Explorer opened on the namespace as a user would open it (its
// path typed into the address box), then into the folder of all discs. With a screenshot path
// the window is saved there and Explorer closed; without, Explorer stays open for the user.
// Usage: explorer_demo.exe [SCREENSHOT.bmp]
#include "explorer_driver.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(100);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_hBrandingInstance)
        return 1;
    const bool keepOpen = argc < 2;
    ExplorerProcess explorerProcess("/e,C:\\");
    ExplorerProcess* explorer = &explorerProcess;
    if (!WaitFor([&] { return explorer->Frame() != nullptr; }, 60000) ||
        !explorer->GoTo("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::" + BrandingText(IDS_BRAND_NAMESPACE_CLSID))) {
        std::fprintf(stderr, "Explorer did not open\n");
        return 1;
    }
    HWND frame = explorer->Frame();
    std::vector<std::string> rows;
    if (!WaitFor([&] { HWND list = OurListIn(frame); return list && !(rows = RemoteList(list).Rows()).empty(); }, 60000)) {
        std::fprintf(stderr, "Explorer did not show the namespace\n");
        return 1;
    }
    std::printf("Explorer shows \"%s\" with:", BrandingText(IDS_BRAND_NAMESPACE_NAME).c_str());
    for (const std::string& row : rows)
        std::printf(" %s", row.c_str());
    std::printf("\n");

    // Into the folder of all discs, as a double click would.
    const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == allDiscs && RemoteList(OurListIn(frame)).Select(static_cast<int>(i)))
            ::PostMessageA(OurListIn(frame), WM_KEYDOWN, VK_RETURN, 0);
    }
    const bool browsed = WaitFor([&] {
        char title[256] = {};
        ::GetWindowTextA(frame, title, sizeof title);
        return std::string(title).find(allDiscs) != std::string::npos && OurListIn(frame) &&
               !RemoteList(OurListIn(frame)).Rows().empty();
    }, 30000);
    if (browsed)
        std::printf("and \"%s\" lists %zu discs\n", allDiscs.c_str(), RemoteList(OurListIn(frame)).Rows().size());
    ::Sleep(1000);   // painted
    if (keepOpen) {
        std::printf("Explorer stays open on the display; close it to end the demo\n");
        HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, explorer->Id());
        if (process) {
            ::WaitForSingleObject(process, INFINITE);
            ::CloseHandle(process);
        }
        return browsed ? 0 : 1;
    }
    const bool saved = SaveScreenshot(frame, argv[1]);
    if (saved)
        std::printf("screenshot: %s\n", argv[1]);
    return browsed && saved ? 0 : 1;
}
