#include "namespace_registration.h"

#include "base/module_path.h"
#include "registry/registry.h"

#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

namespace {

constexpr char kClassId[] = "{3E73FA00-72FE-11D1-B008-00A0C98D47B7}";

NamespaceRegistration ShellvueBesideTheTests()
{
    NamespaceRegistration registration;
    registration.ClassId = kClassId;
    registration.DisplayName = "Network Storage";
    registration.LibraryPath = JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Shellvue.dll");
    registration.Version = "1.00";
    registration.ProductTitle = "Halvo";
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
    EXPECT_EQ("1.00", info.QueryStringValue("Version"));
    EXPECT_EQ(DirectoryOf(registration.LibraryPath), info.QueryStringValue("Program Path"));
    EXPECT_EQ("Halvo", info.QueryStringValue("Product Title"));
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

} // namespace
