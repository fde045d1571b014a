#include "found_data.h"

HKEY RootKeyOf(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        break;
    }
    return HKEY_LOCAL_MACHINE;
}

const std::vector<FoundKey>& RegistryFindings::KeysOf(RegistryRoot root) const
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return classesRootKeys;
    case RegistryRoot::CurrentUser:
        return currentUserKeys;
    case RegistryRoot::LocalMachine:
        break;
    }
    return localMachineKeys;
}

std::vector<FoundKey>& RegistryFindings::KeysOf(RegistryRoot root)
{
    return const_cast<std::vector<FoundKey>&>(static_cast<const RegistryFindings&>(*this).KeysOf(root));
}

bool RegistryFindings::HasDataUnder(RegistryRoot root) const
{
    if (root == RegistryRoot::LocalMachine && !localMachineValues.empty())
        return true;
    return !KeysOf(root).empty();
}

bool RegistryFindings::Empty() const
{
    return classesRootKeys.empty() && currentUserKeys.empty() && localMachineKeys.empty() &&
           localMachineValues.empty();
}
