#include "cache/cache.h"
#include "registry/registry.h"
#include "resources/resources.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"

#include "support/registry_sandbox.h"
#include "support/registry_snapshot.h"

#include <gtest/gtest.h>

namespace {

// Before a program has loaded the branding library the product key is unknown: whatever
// needs it must refuse rather than read or write at the root of a hive.
TEST(ProductKeyTest, WithoutTheBrandingLibraryNothingIsWrittenAnywhere)
{
    RegistrySandbox sandbox;
    ASSERT_EQ(nullptr, g_hBrandingInstance);
    const std::string user = RegistrySnapshot(HKEY_CURRENT_USER);
    const std::string machine = RegistrySnapshot(HKEY_LOCAL_MACHINE);

    EXPECT_FALSE(IsProductKeyKnown());
    try {
        ProductKeyPath();
        ADD_FAILURE() << "a product key path without the branding library";
    } catch (const RegKeyException& error) {
        EXPECT_EQ(kProductKeyUnknown, error.Cause());
    }
    AuxiliaryFunctions::InitNewCurrentUser();
    AuxiliaryFunctions::SetClipboardCutFlag(true);
    AuxiliaryFunctions::SaveNetworkSettings(0, 1, AllDomains, {"OFFICE"});
    {
        Cache root(CacheEdit, "");
        EXPECT_EQ(CacheNotInitialized, root.GetStatus());
        CacheItem folder;
        folder.Name = "Work";
        folder.ItemType = UserFolder;
        EXPECT_FALSE(root.AddItem(folder));
        EXPECT_EQ(1, root.MoveItem(folder, "Elsewhere", ClipboardCopy, ""));
    }
    EXPECT_FALSE(AuxiliaryFunctions::GetClipboardCutFlag());

    EXPECT_EQ(user, RegistrySnapshot(HKEY_CURRENT_USER));
    EXPECT_EQ(machine, RegistrySnapshot(HKEY_LOCAL_MACHINE));
}

} // namespace
