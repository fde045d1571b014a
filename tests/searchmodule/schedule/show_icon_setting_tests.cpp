#include "show_icon_setting.h"

#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowIconSettingTest, TheIconShowsUnlessTheUserSwitchedItOff)
{
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    EXPECT_TRUE(ShowIconSetting());   // no settings yet
    RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
    EXPECT_TRUE(ShowIconSetting());
    user.SetDWORDValue("Show Icon", 0);
    EXPECT_FALSE(ShowIconSetting());
    user.SetDWORDValue("Show Icon", 1);
    EXPECT_TRUE(ShowIconSetting());
    user.SetStringValue("Show Icon", "0");   // damaged: not the module's business to guess
    EXPECT_TRUE(ShowIconSetting());
}

} // namespace
