// Items copied in one process and read from the real OLE clipboard by another.
#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "com/com_apartment.h"
#include "pidl/pidl_mgr.h"
#include "transfer/data_object.h"

#include "support/cache_fixture.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

namespace {

using ClipboardTransferTest = CacheFixture;

// Runs the reader on the clipboard while this thread keeps answering the calls it makes into
// our data object; its exit code.
DWORD RunClipboardReader(const std::string& outputPath)
{
    std::string command = "\"" + DirectoryOf(ModuleFileName(nullptr)) + "\\clipboard_item_reader.exe\" \"" +
                          outputPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 1000;
    ::CloseHandle(started.hThread);
    const ScopedKernelHandle reader(started.hProcess);
    const DWORD deadline = ::GetTickCount() + 60000;
    for (;;) {
        const DWORD now = ::GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0)
            return 1001;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &started.hProcess, FALSE, deadline - now, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            break;
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    DWORD code = 1002;
    ::GetExitCodeProcess(reader.Get(), &code);
    return code;
}

TEST_F(ClipboardTransferTest, AnotherProcessReadsTheCopiedItemsFromTheClipboard)
{
    const OleApartment ole;
    ASSERT_TRUE(ole.IsReady());
    CacheItem disc = Disc("\\\\ATLAS", "Manuals");
    CacheItem launcher = Folder("Tools", LaunchObject);
    ScopedPidl work(PidlMgr().Create(Folder("Work"), ""));
    {
        const auto object = MakeComObject<DataObject>("Work", work.get(), std::vector<CacheItem>{disc, launcher});
        ASSERT_EQ(S_OK, ::OleSetClipboard(object.Get()));
    }
    struct ClearClipboard {
        ~ClearClipboard() { ::OleSetClipboard(nullptr); }
    } clear;

    const std::string output = folder.File("read.txt");
    ASSERT_EQ(0u, RunClipboardReader(output));
    EXPECT_EQ("Work\nManuals|\\\\ATLAS|2\nTools||9\n", ReadWholeFile(output));
}

} // namespace
