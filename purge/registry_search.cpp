#include "registry_search.h"

#include "purge_text.h"
#include "registry_access.h"
#include "res/clearbay_string_ids.h"
#include "value_entry.h"

#include <initializer_list>

namespace {

// The names are looked up in the string table once, in the order they are reported.
std::vector<std::string> Texts(std::initializer_list<UINT> ids)
{
    std::vector<std::string> texts;
    for (UINT id : ids)
        texts.push_back(PurgeText(id));
    return texts;
}

std::string Join(const std::string& parent, const std::string& child)
{
    return parent + "\\" + child;
}

// Adds each named subkey of root\parentPath that exists, with its default value.
void AddExistingSubKeys(RegistryRoot root, const std::string& parentPath, const std::vector<std::string>& names,
                        RegistryFindings& findings)
{
    ScopedRegKey parent = OpenRegistryKey(RootKeyOf(root), parentPath);
    if (!parent)
        return;
    for (const std::string& name : names) {
        ScopedRegKey key = OpenRegistryKey(parent.Get(), name);
        if (!key)
            continue;
        findings.KeysOf(root).push_back(
            {Join(parentPath, name), ReadStringValue(key.Get(), std::string()).value_or(std::string())});
    }
}

void AddExistingLocalMachineValues(const std::string& keyPath, const std::vector<std::string>& names,
                                   RegistryFindings& findings)
{
    ScopedRegKey key = OpenRegistryKey(HKEY_LOCAL_MACHINE, keyPath);
    if (!key)
        return;
    for (const std::string& name : names) {
        if (HasValue(key.Get(), name))
            findings.localMachineValues.push_back(MakeValueEntry(keyPath, name));
    }
}

} // namespace

RegistryFindings SearchRegistry()
{
    RegistryFindings findings;
    const std::vector<std::string> shellClassIds =
        Texts({IDS_CLASS_ID_1100, IDS_CLASS_ID_1101, IDS_CLASS_ID_1110, IDS_CLASS_ID_1111});

    std::vector<std::string> classIds = shellClassIds;
    for (const std::string& id : Texts({IDS_CLASS_ID_1120, IDS_CLASS_ID_1121, IDS_CLASS_ID_1122}))
        classIds.push_back(id);
    AddExistingSubKeys(RegistryRoot::ClassesRoot, PurgeText(IDS_CLSID_KEY), classIds, findings);

    AddExistingSubKeys(RegistryRoot::ClassesRoot, PurgeText(IDS_INTERFACE_KEY),
                       Texts({IDS_INTERFACE_ID_1130, IDS_INTERFACE_ID_1131, IDS_INTERFACE_ID_1132,
                              IDS_INTERFACE_ID_1150, IDS_INTERFACE_ID_1151, IDS_INTERFACE_ID_1152,
                              IDS_INTERFACE_ID_1170, IDS_INTERFACE_ID_1171, IDS_INTERFACE_ID_1172,
                              IDS_INTERFACE_ID_1192}),
                       findings);

    const std::string vendorKey = Join(PurgeText(IDS_SOFTWARE_KEY), PurgeText(IDS_VENDOR_KEY));
    const std::vector<std::string> productKey = Texts({IDS_PRODUCT_KEY});
    AddExistingSubKeys(RegistryRoot::CurrentUser, vendorKey, productKey, findings);
    AddExistingSubKeys(RegistryRoot::LocalMachine, vendorKey, productKey, findings);

    AddExistingSubKeys(RegistryRoot::LocalMachine, Join(PurgeText(IDS_SOFTWARE_KEY), PurgeText(IDS_ZANDOR_VENDOR_KEY)),
                       Texts({IDS_PRODUCT_KEY, IDS_ZANDOR_PRODUCT_KEY}), findings);

    const std::string shellExtensionsApproved = PurgeText(IDS_SHELL_EXTENSIONS_APPROVED_KEY);
    const std::string shellextensionsApproved = PurgeText(IDS_SHELLEXTENSIONS_APPROVED_KEY);
    for (const std::string& registrationKey :
         {PurgeText(IDS_MY_COMPUTER_NAMESPACE_KEY), shellExtensionsApproved, shellextensionsApproved,
          PurgeText(IDS_NT_SHELLEXTENSIONS_APPROVED_KEY)})
        AddExistingSubKeys(RegistryRoot::LocalMachine, registrationKey, shellClassIds, findings);

    AddExistingSubKeys(RegistryRoot::LocalMachine, PurgeText(IDS_UNINSTALL_KEY),
                       Texts({IDS_ORVEK_PRODUCT_NAME, IDS_ZANDOR_PRODUCT_NAME, IDS_INSTALLER_PRODUCT_CODE}),
                       findings);

    AddExistingLocalMachineValues(PurgeText(IDS_RUN_KEY), Texts({IDS_ORVEK_PRODUCT_NAME}), findings);
    AddExistingLocalMachineValues(shellExtensionsApproved, shellClassIds, findings);
    AddExistingLocalMachineValues(shellextensionsApproved, shellClassIds, findings);
    return findings;
}
