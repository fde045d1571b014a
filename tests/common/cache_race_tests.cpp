// Two processes editing one folder at once, through the real registry of the test prefix
// (another process cannot see this process's redirected keys).
#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "cache/cache.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr int kItemsPerWorker = 60;

ScopedKernelHandle StartWorker(const std::string& id)
{
    std::string command = "\"" + DirectoryOf(ModuleFileName(nullptr)) + "\\cache_race_worker.exe\" " + id + " " +
                          std::to_string(kItemsPerWorker);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ScopedKernelHandle();
    ::CloseHandle(process.hThread);
    return ScopedKernelHandle(process.hProcess);
}

TEST(CacheBetweenProcesses, TwoWritersAddingTheSameDiscsLeaveOneKeyPerDiscAndLoseNothing)
{
    BrandingLoaded branding;
    ASSERT_TRUE(branding.IsLoaded());
    ASSERT_FALSE(RegKey::CURRENT_USER.KeyExists(kProductKey)) << "the test prefix already holds a user cache";
    struct RemoveUserCache {
        ~RemoveUserCache() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvek Communications"); }
    } cleanup;
    RegKey race = RegKey::CURRENT_USER.CreateKey(std::string(kProductKey) + "\\Cache\\Race");
    race.SetStringValue("Name", "Race");
    race.SetStringValue("OriginalName", "Race");
    race.SetDWORDValue("ItemType", UserFolder);

    ScopedKernelHandle first = StartWorker("1");
    ScopedKernelHandle second = StartWorker("2");
    ASSERT_TRUE(first && second);
    HANDLE both[] = {first.Get(), second.Get()};
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, both, TRUE, 120000));
    for (HANDLE worker : both) {
        DWORD code = 99;
        ::GetExitCodeProcess(worker, &code);
        EXPECT_EQ(0u, code);
    }

    std::map<std::string, int> seen;
    Cache read(CacheReadFolder, "Race");
    for (CacheIterator it = read.Begin(); it != read.End(); ++it)
        ++seen[(*it)->Name];
    for (int i = 0; i < kItemsPerWorker; ++i) {
        EXPECT_EQ(1, seen["D" + std::to_string(i)]) << "disc " << i;
        EXPECT_EQ(1, seen["W1-" + std::to_string(i)]);
        EXPECT_EQ(1, seen["W2-" + std::to_string(i)]);
    }
    EXPECT_EQ(3u * kItemsPerWorker, read.ItemCount());
}

} // namespace
