#include "namespace_registration.h"

#include "base/module_path.h"
#include "registry/registry.h"
#include "settings/product_version.h"

#include "support/registry_sandbox.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

constexpr char kClassId[] = "{3E73FA00-72FE-11D1-B008-00A0C98D47B7}";

NamespaceRegistration ShellvueBesideTheTests()
{
    NamespaceRegistration registration;
    registration.ClassId = kClassId;
    registration.DisplayName = "Network Storage";
    registration.LibraryPath = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Shellvue.dll");
    registration.Version = kProductVersion;
    registration.ProductTitle = "Halvo";
    registration.DefaultIcon = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Skinset.dll") + ",0";
    return registration;
}

TEST(NamespaceRegistrationTest, WritesWhatExplorerNeedsAndRemovesItAgain)
{
    RegistrySandbox sandbox;
    const NamespaceRegistration registration = ShellvueBesideTheTests();

    WriteNamespaceRegistration(registration);

    const std::string classKey = std::string("CLSID\\") + kClassId;
    const RegKeyRead server = RegKey::CLASSES_ROOT.GetKeyRead(classKey + "\\InProcServer32");
    EXPECT_EQ(registration.LibraryPath, server.QueryStringValue(""));
    EXPECT_EQ("Apartment", server.QueryStringValue("ThreadingModel"));
    const RegKeyRead info = RegKey::CLASSES_ROOT.GetKeyRead(classKey + "\\NSProductInfo");
    EXPECT_EQ(kProductVersion, info.QueryStringValue("Version"));
    EXPECT_EQ(DirectoryOf(registration.LibraryPath), info.QueryStringValue("Program Path"));
    EXPECT_EQ("Halvo", info.QueryStringValue("Product Title"));
    // Read by hosts before they load the library: a folder with sub-folders, and its icon.
    EXPECT_EQ(static_cast<unsigned long>(SFGAO_FOLDER | SFGAO_HASSUBFOLDER),
              RegKey::CLASSES_ROOT.GetKeyRead(classKey + "\\ShellFolder").QueryDWORDValue("Attributes"));
    EXPECT_EQ(registration.DefaultIcon, RegKey::CLASSES_ROOT.GetKeyRead(classKey + "\\DefaultIcon").QueryStringValue(""));
    EXPECT_TRUE(RegKey::LOCAL_MACHINE.KeyExists(
        std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\") + kClassId));
    EXPECT_TRUE(RegKey::LOCAL_MACHINE.GetKeyRead("Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved")
                    .ValueExists(kClassId));

    RemoveNamespaceRegistration(kClassId);
    EXPECT_FALSE(RegKey::CLASSES_ROOT.KeyExists(classKey));
    EXPECT_FALSE(RegKey::LOCAL_MACHINE.KeyExists(
        std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\") + kClassId));
    EXPECT_FALSE(RegKey::LOCAL_MACHINE.GetKeyRead("Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved")
                     .ValueExists(kClassId));
    // Removing twice is no error.
    EXPECT_NO_THROW(RemoveNamespaceRegistration(kClassId));
}

TEST(NamespaceRegistrationTest, KeepsARecordedVersionThatIsTheSameOrLaterAndReplacesAnyOther)
{
    RegistrySandbox sandbox;
    NamespaceRegistration registration = ShellvueBesideTheTests();
    registration.Version = "2.00";
    const RegKey info = RegKey::CLASSES_ROOT.CreateKey(std::string("CLSID\\") + kClassId + "\\NSProductInfo");

    struct Case {
        const char* recorded;
        const char* expected;
    };
    // Versions compare as numbers: "10.00" is later than "2.00", "2.0" is the same.
    for (const Case& c : {Case{"2.50", "2.50"}, Case{"10.00", "10.00"}, Case{"2.0", "2.0"}, Case{"2.00", "2.00"},
                          Case{"1.00", "2.00"}, Case{"1.99", "2.00"}, Case{"", "2.00"}, Case{"garbage", "2.00"}}) {
        info.SetStringValue("Version", c.recorded);
        EXPECT_EQ(c.expected, WriteNamespaceRegistration(registration)) << "recorded: " << c.recorded;
        EXPECT_EQ(c.expected, info.QueryStringValue("Version")) << "recorded: " << c.recorded;
    }

    info.SetDWORDValue("Version", 300);
    EXPECT_EQ("2.00", WriteNamespaceRegistration(registration)) << "a number of another type is no version";
    info.DeleteValue("Version");
    EXPECT_EQ("2.00", WriteNamespaceRegistration(registration));
    EXPECT_EQ(registration.LibraryPath,
              RegKey::CLASSES_ROOT.GetKeyRead(std::string("CLSID\\") + kClassId + "\\InProcServer32").QueryStringValue(""))
        << "the rest of the registration is written all the same";
}

} // namespace
