#include "namespace_registration.h"

#include "base/module_path.h"
#include "registry/registry.h"
#include "settings/product_version.h"

namespace {

constexpr char kClassesKey[] = "CLSID";
constexpr char kServerKey[] = "InProcServer32";
constexpr char kThreadingModelValue[] = "ThreadingModel";
constexpr char kApartment[] = "Apartment";
constexpr char kDefaultIconKey[] = "DefaultIcon";
constexpr char kShellFolderKey[] = "ShellFolder";
constexpr char kAttributesValue[] = "Attributes";
constexpr char kProductInfoKey[] = "NSProductInfo";
constexpr char kVersionValue[] = "Version";
constexpr char kProgramPathValue[] = "Program Path";
constexpr char kProductTitleValue[] = "Product Title";
constexpr char kMyComputerNamespaceKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace";
constexpr char kApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

std::string ClassKeyPath(const std::string& classId) { return std::string(kClassesKey) + "\\" + classId; }

// True when the key records this version or a later one. A record of another type or without a
// number is no version and does not count.
bool RecordsVersionAtLeast(const RegKeyRead& productInfo, const std::string& version)
{
    std::string recorded;
    try {
        if (!productInfo.TryQueryStringValue(kVersionValue, recorded))
            return false;
    } catch (const RegKeyException& error) {
        if (error.Cause() == ERROR_DATATYPE_MISMATCH)
            return false;
        throw;
    }
    return VersionNumber(recorded) && !IsVersionBelow(recorded, version);
}

void DeleteKeyIfPresent(const RegKey& parent, const std::string& subKey)
{
    if (parent.KeyExists(subKey))
        parent.DeleteKey(subKey);
}

} // namespace

std::string WriteNamespaceRegistration(const NamespaceRegistration& registration)
{
    const RegKey classKey = RegKey::CLASSES_ROOT.CreateKey(ClassKeyPath(registration.ClassId));
    classKey.SetStringValue("", registration.DisplayName);

    if (!registration.DefaultIcon.empty())
        classKey.CreateKey(kDefaultIconKey).SetStringValue("", registration.DefaultIcon);
    classKey.CreateKey(kShellFolderKey).SetDWORDValue(kAttributesValue, kNamespaceRootAttributes);

    const RegKey server = classKey.CreateKey(kServerKey);
    server.SetStringValue("", registration.LibraryPath);
    server.SetStringValue(kThreadingModelValue, kApartment);

    // Registering never lowers the installed version (a later installation may have recorded
    // it): every user's version follows it, and below "2.00" a user's own settings would be
    // renewed at every start.
    const RegKey productInfo = classKey.CreateKey(kProductInfoKey);
    if (!RecordsVersionAtLeast(productInfo, registration.Version))
        productInfo.SetStringValue(kVersionValue, registration.Version);
    productInfo.SetStringValue(kProgramPathValue, DirectoryOf(registration.LibraryPath));
    productInfo.SetStringValue(kProductTitleValue, registration.ProductTitle);

    RegKey::LOCAL_MACHINE.CreateKey(std::string(kMyComputerNamespaceKey) + "\\" + registration.ClassId)
        .SetStringValue("", registration.DisplayName);
    RegKey::LOCAL_MACHINE.CreateKey(kApprovedKey).SetStringValue(registration.ClassId, registration.DisplayName);
    return productInfo.QueryStringValue(kVersionValue);
}

void RemoveNamespaceRegistration(const std::string& classId)
{
    DeleteKeyIfPresent(RegKey::CLASSES_ROOT, ClassKeyPath(classId));
    DeleteKeyIfPresent(RegKey::LOCAL_MACHINE, std::string(kMyComputerNamespaceKey) + "\\" + classId);
    if (RegKey::LOCAL_MACHINE.KeyExists(kApprovedKey)) {
        const RegKey approved = RegKey::LOCAL_MACHINE.GetKey(kApprovedKey);
        if (approved.ValueExists(classId))
            approved.DeleteValue(classId);
    }
}
