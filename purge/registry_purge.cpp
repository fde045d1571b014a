#include "registry_purge.h"

#include "registry_access.h"
#include "value_entry.h"

namespace {

bool IsGone(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool DeleteKeyTree(HKEY root, const std::string& path)
{
    const size_t separator = path.rfind('\\');
    const std::string parentPath = separator == std::string::npos ? std::string() : path.substr(0, separator);
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    if (name.empty())
        return false;
    LONG error = ERROR_SUCCESS;
    ScopedRegKey parent = OpenRegistryKey(root, parentPath, KEY_READ | KEY_WRITE | DELETE, &error);
    if (!parent)
        return IsGone(error);
    if (!HasSubKey(parent.Get(), name))
        return true;
    return ::RegDeleteTreeA(parent.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const std::string& entry)
{
    const std::optional<ValueLocation> location = SplitValueEntry(entry);
    if (!location)
        return false;
    LONG error = ERROR_SUCCESS;
    ScopedRegKey key = OpenRegistryKey(root, location->keyPath, KEY_SET_VALUE, &error);
    if (!key)
        return IsGone(error);
    error = ::RegDeleteValueA(key.Get(), location->valueName.c_str());
    return error == ERROR_SUCCESS || IsGone(error);
}

bool DeleteKeysOf(const RegistryFindings& findings, RegistryRoot root)
{
    bool allRemoved = true;
    for (const FoundKey& key : findings.KeysOf(root))
        allRemoved = DeleteKeyTree(RootKeyOf(root), key.path) && allRemoved;
    return allRemoved;
}

} // namespace

bool DeleteRegistryData(const RegistryFindings& findings, const RootSelection& roots)
{
    bool allRemoved = true;
    if (roots.classesRoot)
        allRemoved = DeleteKeysOf(findings, RegistryRoot::ClassesRoot) && allRemoved;
    if (roots.currentUser)
        allRemoved = DeleteKeysOf(findings, RegistryRoot::CurrentUser) && allRemoved;
    if (roots.localMachine) {
        allRemoved = DeleteKeysOf(findings, RegistryRoot::LocalMachine) && allRemoved;
        for (const std::string& value : findings.localMachineValues)
            allRemoved = DeleteValue(HKEY_LOCAL_MACHINE, value) && allRemoved;
    }
    return allRemoved;
}
