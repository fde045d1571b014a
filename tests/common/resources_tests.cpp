#include "base/module_path.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"

#include "support/prompt_recorder.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRegistrationKey[] = "CLSID\\{3E73FA00-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo";

HINSTANCE ThisProgram() { return ::GetModuleHandleA(nullptr); }

class ExternalResourcesTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    PromptRecorder prompts;
};

TEST_F(ExternalResourcesTest, BrandingLibraryBesideBasaltLoadsWithoutAnyRegistration)
{
    HINSTANCE branding = ExternalResMgr::LoadExternalDLL("Skinset.dll", "Shellvue.dll");
    ASSERT_NE(nullptr, branding);
    EXPECT_TRUE(prompts.Prompts().empty());
    EXPECT_EQ("SOFTWARE\\Orvek Communications\\Tessaro Halvo",
              ExternalResMgr::GetString(branding, IDS_BRAND_PRODUCT_KEY));
    EXPECT_EQ("All Discs", ExternalResMgr::GetString(branding, IDS_BRAND_ALL_DISCS_FOLDER));
    ::FreeLibrary(branding);
}

TEST_F(ExternalResourcesTest, LibraryFoundInTheRegisteredFolderWhenNotBesideBasalt)
{
    // The test program's own folder holds Basalt, so register the Windows system folder
    // and look for a library that is only there.
    char system[MAX_PATH];
    ASSERT_NE(0u, ::GetSystemDirectoryA(system, sizeof system));
    RegKey::CLASSES_ROOT.CreateKey(kRegistrationKey).SetStringValue("Program Path", system);

    HINSTANCE library = ExternalResMgr::LoadExternalDLL("shell32.dll", "Test");
    ASSERT_NE(nullptr, library);
    EXPECT_TRUE(prompts.Prompts().empty());
    ::FreeLibrary(library);
}

TEST_F(ExternalResourcesTest, MissingLibraryIsReportedOnceNamingBothFoldersAndTheProduct)
{
    RegKey registration = RegKey::CLASSES_ROOT.CreateKey(kRegistrationKey);
    registration.SetStringValue("Program Path", "C:\\Halvo Install");
    registration.SetStringValue("Product Title", "Halvo");

    EXPECT_EQ(nullptr, ExternalResMgr::LoadExternalDLL("Missing.dll", "Dialwise.exe"));

    ASSERT_EQ(1u, prompts.Prompts().size());
    const auto& prompt = prompts.Prompts().front();
    const std::string basaltFolder = DirectoryOf(ModuleFileName(g_hBasaltInstance));
    EXPECT_EQ("Dialwise.exe - Unable To Locate DLL", prompt.caption);
    EXPECT_EQ("The dynamic link library Missing.dll could not be found in the specified path(s)\n'" +
                  basaltFolder + "; C:\\Halvo Install'.\n\nPlease reinstall the Halvo software.",
              prompt.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), prompt.style & MB_ICONMASK);
    EXPECT_TRUE(prompt.style & MB_SETFOREGROUND);
}

TEST_F(ExternalResourcesTest, MissingLibraryWithoutRegistrationNamesBasaltsFolderOnly)
{
    EXPECT_EQ(nullptr, ExternalResMgr::LoadExternalDLL("Missing.dll", "Shellvue.dll"));
    ASSERT_EQ(1u, prompts.Prompts().size());
    const std::string basaltFolder = DirectoryOf(ModuleFileName(g_hBasaltInstance));
    EXPECT_NE(std::string::npos, prompts.Prompts().front().text.find("'" + basaltFolder + "'."));
}

TEST(ExternalResources, NumbersAndFlagsAreReadFromStrings)
{
    EXPECT_EQ(7, ExternalResMgr::GetEnum(ThisProgram(), 100));
    EXPECT_EQ(7, ExternalResMgr::GetFlag(ThisProgram(), 100));
    EXPECT_EQ(-1, ExternalResMgr::GetEnum(ThisProgram(), 999));
    EXPECT_EQ(0, ExternalResMgr::GetFlag(ThisProgram(), 999));
    EXPECT_EQ(0, ExternalResMgr::GetFlag(ThisProgram(), 101));
    EXPECT_EQ(0, ExternalResMgr::GetEnum(ThisProgram(), 102));
    EXPECT_EQ("", ExternalResMgr::GetString(ThisProgram(), 999));
    EXPECT_EQ("", ExternalResMgr::GetString(nullptr, 100));
}

TEST(ExternalResources, ClassIdsAreConvertedOrRefused)
{
    GUID clsid{};
    ASSERT_TRUE(ExternalResMgr::GetCLSID(ThisProgram(), 103, clsid));
    const GUID expected = {0x3E73FA01, 0x72FE, 0x11D1, {0xB0, 0x08, 0x00, 0xA0, 0xC9, 0x8D, 0x47, 0xB7}};
    EXPECT_TRUE(IsEqualGUID(expected, clsid));
    EXPECT_FALSE(ExternalResMgr::GetCLSID(ThisProgram(), 104, clsid));
    EXPECT_FALSE(ExternalResMgr::GetCLSID(ThisProgram(), 999, clsid));
}

TEST(ExternalResources, IconsComeInTheAskedSize)
{
    HINSTANCE branding = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, branding);
    for (bool large : {false, true}) {
        HICON icon = nullptr;
        ASSERT_TRUE(ExternalResMgr::GetIconHandle(branding, IDI_BRAND_CDROM_DISC, large, icon));
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(large ? 32 : 16, bitmap.bmWidth);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
    HICON none = nullptr;
    EXPECT_FALSE(ExternalResMgr::GetIconHandle(branding, 9999, true, none));
    EXPECT_FALSE(ExternalResMgr::GetIconHandle(nullptr, IDI_BRAND_CDROM_DISC, true, none));
    ::FreeLibrary(branding);
}

TEST(BasaltStringTable, HoldsTheSuitesTextsUnderTheirNumbers)
{
    EXPECT_EQ("Disc Folder", ExternalResMgr::GetStringFromCommon(IDS_TYPE_DISC_FOLDER));
    EXPECT_EQ("Logging", ExternalResMgr::GetStringFromCommon(IDS_LOGGING_VALUE));
    EXPECT_EQ("%s - Unable To Locate DLL", ExternalResMgr::GetStringFromCommon(IDS_UNABLE_TO_LOCATE_DLL_CAPTION));
    EXPECT_EQ("_NETWORK_STORAGE_CACHE_HAS_BEEN_REFRESHED_", ExternalResMgr::GetStringFromCommon(IDS_MSG_CACHE_REFRESHED));
    EXPECT_EQ("_NETWORK_STORAGE_TRAWLEX_MODULE_MUTEX_", ExternalResMgr::GetStringFromCommon(IDS_MUTEX_SEARCH_MODULE));
    // The longest text must come back whole, not cut at the reading buffer.
    const std::string firstTime = ExternalResMgr::GetStringFromCommon(IDS_FIRST_TIME_CLIENT_PROMPT_FMT);
    EXPECT_EQ(0u, firstTime.find("This is the first time you are using %s."));
    EXPECT_EQ("to do it later through the %s Settings.", firstTime.substr(firstTime.size() - 39));
}

} // namespace
