#include "launch_object_icon_worker.h"

#include "base/module_path.h"
#include "logging/logging.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

size_t CountOf(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

CacheItem LaunchObjectWithIcon(const std::string& name, const std::string& iconFile, int iconIndex)
{
    CacheItem item;
    item.Name = name;
    item.ItemType = LaunchObject;
    item.IconFile = iconFile;
    item.IconIndex = iconIndex;
    return item;
}

// A hidden list control owned by the test thread, with logging into a scratch folder.
class LaunchObjectIconWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        list_ = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(nullptr, list_);
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder_.Path());
        Logging::LogIndicator = 1;
    }
    void TearDown() override
    {
        Logging::LogIndicator = 0;
        if (list_)
            ::DestroyWindow(list_);
    }

    // Waits for the worker's message to the list; false when none came in time.
    bool WaitForIconsReady(DWORD timeoutMs)
    {
        const DWORD start = ::GetTickCount();
        MSG message;
        while (::GetTickCount() - start < timeoutMs) {
            if (::PeekMessageA(&message, list_, kLaunchObjectIconsReadyMessage, kLaunchObjectIconsReadyMessage,
                               PM_REMOVE))
                return true;
            ::Sleep(10);
        }
        return false;
    }

    std::string LogText() const { return ReadWholeFile(folder_.File("shellvue_icon_tests.log")); }

    RegistrySandbox sandbox_;
    BrandingLoaded branding_;
    TempDirectory folder_;
    HWND list_ = nullptr;
};

TEST_F(LaunchObjectIconWorkerTest, UnreadableIconFileKeepsTheDefaultImageAndLogsOneLine)
{
    const std::string missing = folder_.File("gone.exe");
    const std::string withIcons = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Skinset.dll");
    LaunchObjectIconManager manager(list_);
    ASSERT_TRUE(manager.IsRunning());

    // In order: the good one's message proves the worker is past the bad one.
    manager.AddItem(LaunchObjectWithIcon("Unreadable", missing, 0));
    manager.AddItem(LaunchObjectWithIcon("Readable", withIcons, 0));
    ASSERT_TRUE(WaitForIconsReady(10000));

    std::vector<LaunchObjectIcons> finished = manager.TakeFinished();
    ASSERT_EQ(1u, finished.size());
    EXPECT_EQ("Readable", finished[0].Item.Name);
    EXPECT_TRUE(finished[0].Small);
    EXPECT_TRUE(finished[0].Large);
    EXPECT_FALSE(WaitForIconsReady(200)) << "one message per finished launch object";
    EXPECT_TRUE(manager.TakeFinished().empty());

    const std::string log = LogText();
    EXPECT_EQ(1u, CountOf(log, "Could not extract")) << log;
    EXPECT_EQ(1u, CountOf(log, "Could not extract icon from file " + missing + " (index=0).\n")) << log;
}

TEST_F(LaunchObjectIconWorkerTest, FileWithoutThatIconIndexIsAFailureToo)
{
    const std::string withIcons = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Skinset.dll");
    LaunchObjectIconManager manager(list_);
    manager.AddItem(LaunchObjectWithIcon("Beyond", withIcons, 500));
    manager.AddItem(LaunchObjectWithIcon("Last", withIcons, 1));
    ASSERT_TRUE(WaitForIconsReady(10000));
    std::vector<LaunchObjectIcons> finished = manager.TakeFinished();
    ASSERT_EQ(1u, finished.size());
    EXPECT_EQ("Last", finished[0].Item.Name);
    EXPECT_EQ(1u, CountOf(LogText(), "(index=500).\n"));
}

TEST_F(LaunchObjectIconWorkerTest, WorkerEndsOnTheKillEventAndSaysSo)
{
    std::string eventName;
    {
        LaunchObjectIconManager manager(list_);
        ASSERT_TRUE(manager.IsRunning());
        EXPECT_EQ(32u, manager.UniqueName().size());
        eventName = manager.UniqueName() + "__Kill_Launch_Object_Icon_Thread__";
        ScopedKernelHandle inserted(::OpenEventA(SYNCHRONIZE, FALSE,
                                                 (manager.UniqueName() + "__New_Launch_Object_Inserted__").c_str()));
        EXPECT_TRUE(inserted) << "the inserted event is named";
        ScopedKernelHandle kill(::OpenEventA(SYNCHRONIZE, FALSE, eventName.c_str()));
        ASSERT_TRUE(kill) << "the kill event is named";
        manager.StopWorker();
    }
    EXPECT_EQ(1u, CountOf(LogText(), "  Thread should prepare to terminate.\n"));
    ScopedKernelHandle gone(::OpenEventA(SYNCHRONIZE, FALSE, eventName.c_str()));
    EXPECT_FALSE(gone) << "the manager closes its events";
}

} // namespace
