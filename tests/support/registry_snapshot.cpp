#include "support/registry_snapshot.h"

#include <vector>

namespace {

void AppendKey(HKEY key, const std::string& path, std::string& out)
{
    out += "[" + path + "]\n";
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValueData = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values, &maxValueName,
                           &maxValueData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<char> name(maxValueName + 2);
    std::vector<BYTE> data(maxValueData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            continue;
        out += std::string(name.data(), nameSize) + " type " + std::to_string(type) + " = ";
        for (DWORD b = 0; b < dataSize; ++b)
            out += std::to_string(data[b]) + ",";
        out += "\n";
    }
    std::vector<char> subName(maxSubKey + 2);
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD size = static_cast<DWORD>(subName.size());
        if (::RegEnumKeyExA(key, i, subName.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        const std::string child(subName.data(), size);
        HKEY sub = nullptr;
        if (::RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            AppendKey(sub, path + "\\" + child, out);
            ::RegCloseKey(sub);
        }
    }
}

} // namespace

std::string RegistrySnapshot(HKEY root)
{
    std::string out;
    AppendKey(root, "", out);
    return out;
}
