#include "registry/registry.h"

#include "settings/platform.h"

#include <cstring>

namespace {

constexpr REGSAM kReadAccess = KEY_READ;       // 0x20019
constexpr REGSAM kFullAccess = KEY_ALL_ACCESS; // 0xF003F

void ThrowIfFailed(LONG result)
{
    if (result != ERROR_SUCCESS)
        throw RegKeyException(result);
}

bool IsPredefinedKey(HKEY key) noexcept
{
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER_LOCAL_SETTINGS);
}

// The root keys are not ours to close, and "reopening" one is the root itself.
HKEY Reopen(HKEY key, REGSAM access)
{
    if (key == nullptr || IsPredefinedKey(key))
        return key;
    HKEY copy = nullptr;
    ThrowIfFailed(::RegOpenKeyExA(key, nullptr, 0, access, &copy));
    return copy;
}

void CloseKey(HKEY key) noexcept
{
    if (key != nullptr && !IsPredefinedKey(key))
        ::RegCloseKey(key);
}

// Opens a key, as RegOpenKeyEx answers. A 64-bit program that belongs to a 32-bit installation
// (the namespace library the 64-bit Explorer loads) finds the installation's machine keys in
// the 32-bit view, where Windows keeps what 32-bit programs write below HKEY_LOCAL_MACHINE.
LONG OpenKeyOfEitherView(HKEY parent, const std::string& subKey, REGSAM access, HKEY& key)
{
    LONG result = ::RegOpenKeyExA(parent, subKey.c_str(), 0, access, &key);
#ifdef _WIN64
    if (result == ERROR_FILE_NOT_FOUND && parent == HKEY_LOCAL_MACHINE)
        result = ::RegOpenKeyExA(parent, subKey.c_str(), 0, access | KEY_WOW64_32KEY, &key);
#endif
    return result;
}

HKEY OpenSubKey(HKEY parent, const std::string& subKey, REGSAM access)
{
    HKEY key = nullptr;
    ThrowIfFailed(OpenKeyOfEitherView(parent, subKey, access, key));
    return key;
}

bool IsStringType(DWORD type) noexcept { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Registry strings need not carry their terminating zero; never read past the data.
std::string StringFromData(const BYTE* data, DWORD size)
{
    const auto* text = reinterpret_cast<const char*>(data);
    const void* end = std::memchr(text, 0, size);
    return std::string(text, end ? static_cast<const char*>(end) - text : size);
}

char* CopyToBuffer(const std::string& text, char* buffer, DWORD& size)
{
    if (buffer == nullptr || size <= text.size())
        throw RegKeyException(ERROR_MORE_DATA);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    size = static_cast<DWORD>(text.size());
    return buffer;
}

void DeleteTree(HKEY parent, const std::string& name)
{
    if (IsNtPlatform()) {
        RegKey key(OpenSubKey(parent, name, kFullAccess));
        char child[MAX_PATH];
        for (;;) {
            DWORD length = sizeof child;
            LONG result = ::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_NO_MORE_ITEMS)
                break;
            ThrowIfFailed(result);
            DeleteTree(key, child);
        }
    }
    ThrowIfFailed(::RegDeleteKeyA(parent, name.c_str()));
}

// A key with everything below it, read in full before a copy writes anything, so that a
// destination inside the source is never copied into itself.
struct KeySnapshot {
    struct Value {
        std::string name;
        DWORD type;
        std::string text;
        DWORD number;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::string, KeySnapshot>> children;
};

KeySnapshot ReadTree(const RegKeyRead& source)
{
    KeySnapshot snapshot;
    RegValueEnumerator values = source.GetValueEnumerator();
    while (values.Next()) {
        switch (values.GetType()) {
        case DWORDValue:
            snapshot.values.push_back({values.GetName(), REG_DWORD, {}, values.GetDWORDData()});
            break;
        case StringValue:
            // Keeps the registry type it had, so an expandable string stays one.
            snapshot.values.push_back({values.GetName(), values.GetRegistryType(), values.GetStringData(), 0});
            break;
        case OtherValue:
            break;
        }
    }
    RegKeyEnumerator keys = source.GetKeyEnumerator();
    while (keys.Next())
        snapshot.children.emplace_back(keys.GetName(), KeySnapshot());
    for (auto& [name, child] : snapshot.children)
        child = ReadTree(source.GetKeyRead(name));
    return snapshot;
}

void WriteTree(const KeySnapshot& snapshot, const RegKey& destination)
{
    for (const auto& [name, child] : snapshot.children)
        WriteTree(child, destination.CreateKey(name));
    for (const KeySnapshot::Value& value : snapshot.values) {
        if (value.type == REG_DWORD) {
            destination.SetDWORDValue(value.name, value.number);
        } else {
            ThrowIfFailed(::RegSetValueExA(destination, value.name.c_str(), 0, value.type,
                                           reinterpret_cast<const BYTE*>(value.text.c_str()),
                                           static_cast<DWORD>(value.text.size() + 1)));
        }
    }
}

} // namespace

const char* RegKeyException::what() const noexcept { return "RegKey Exception"; }

// --- RegKeyRead ---------------------------------------------------------------------------

RegKeyRead::RegKeyRead(const RegKeyRead& other) : RegKeyRead(other, kReadAccess) {}

RegKeyRead::RegKeyRead(const RegKeyRead& other, REGSAM access) : key_(Reopen(other.key_, access)) {}

RegKeyRead::RegKeyRead(RegKeyRead&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

RegKeyRead& RegKeyRead::operator=(const RegKeyRead& other)
{
    Assign(other, kReadAccess);
    return *this;
}

RegKeyRead& RegKeyRead::operator=(RegKeyRead&& other) noexcept
{
    if (this != &other) {
        CloseKey(key_);
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

void RegKeyRead::Assign(const RegKeyRead& other, REGSAM access)
{
    if (this == &other)
        return;
    HKEY copy = Reopen(other.key_, access);
    CloseKey(key_);
    key_ = copy;
}

RegKeyRead::~RegKeyRead() { CloseKey(key_); }

RegKeyRead RegKeyRead::GetKeyRead(const std::string& subKey) const
{
    return RegKeyRead(OpenSubKey(key_, subKey, kReadAccess));
}

bool RegKeyRead::KeyExists(const std::string& subKey) const
{
    HKEY key = nullptr;
    LONG result = OpenKeyOfEitherView(key_, subKey, kReadAccess, key);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    ThrowIfFailed(result);
    ::RegCloseKey(key);
    return true;
}

bool RegKeyRead::ValueExists(const std::string& name) const
{
    LONG result = ::RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    ThrowIfFailed(result);
    return true;
}

std::string RegKeyRead::QueryStringValue(const std::string& name) const
{
    std::string value;
    if (!TryQueryStringValue(name, value))
        throw RegKeyException(ERROR_FILE_NOT_FOUND);
    return value;
}

bool RegKeyRead::TryQueryStringValue(const std::string& name, std::string& value) const
{
    BYTE small[256];
    std::vector<BYTE> large;
    BYTE* data = small;
    DWORD capacity = sizeof small;
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = capacity;
        LONG result = ::RegQueryValueExA(key_, name.c_str(), nullptr, &type, data, &size);
        if (result == ERROR_MORE_DATA) {
            large.resize(size + 1);   // the value may still grow before the next read
            data = large.data();
            capacity = static_cast<DWORD>(large.size());
            continue;
        }
        if (result == ERROR_FILE_NOT_FOUND)
            return false;
        ThrowIfFailed(result);
        if (!IsStringType(type))
            throw RegKeyException(ERROR_DATATYPE_MISMATCH);
        value = StringFromData(data, size);
        return true;
    }
}

char* RegKeyRead::QueryStringValue(const std::string& name, char* buffer, DWORD& size) const
{
    return CopyToBuffer(QueryStringValue(name), buffer, size);
}

unsigned long RegKeyRead::QueryDWORDValue(const std::string& name) const
{
    unsigned long value = 0;
    if (!TryQueryDWORDValue(name, value))
        throw RegKeyException(ERROR_FILE_NOT_FOUND);
    return value;
}

bool RegKeyRead::TryQueryDWORDValue(const std::string& name, unsigned long& value) const
{
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG result = ::RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    if (result == ERROR_MORE_DATA)
        throw RegKeyException(ERROR_DATATYPE_MISMATCH);
    ThrowIfFailed(result);
    if (type != REG_DWORD || size != sizeof data)
        throw RegKeyException(ERROR_DATATYPE_MISMATCH);
    value = data;
    return true;
}

RegKeyEnumerator RegKeyRead::GetKeyEnumerator() const { return RegKeyEnumerator(*this); }

RegValueEnumerator RegKeyRead::GetValueEnumerator() const { return RegValueEnumerator(*this); }

RegKeyRead RegKeyRead::CopyKey(const std::string& subKey, const RegKey& destinationParent,
                               const char* destinationName) const
{
    RegKeyRead source = GetKeyRead(subKey);
    const KeySnapshot snapshot = ReadTree(source);
    const std::string targetName = destinationName ? destinationName : subKey;
    DWORD disposition = 0;
    RegKey destination = destinationParent.CreateKey(targetName, &disposition);
    try {
        WriteTree(snapshot, destination);
    } catch (const RegKeyException&) {
        if (disposition == REG_CREATED_NEW_KEY) {
            destination = RegKey();
            try {
                destinationParent.DeleteKey(targetName);
            } catch (const RegKeyException&) {
                // The copy's own failure is the one to report.
            }
        }
        throw;
    }
    return source;
}

// --- RegKey -------------------------------------------------------------------------------

RegKey RegKey::CLASSES_ROOT(HKEY_CLASSES_ROOT);
RegKey RegKey::CURRENT_USER(HKEY_CURRENT_USER);
RegKey RegKey::LOCAL_MACHINE(HKEY_LOCAL_MACHINE);
RegKey RegKey::USERS(HKEY_USERS);
RegKey RegKey::CURRENT_CONFIG(HKEY_CURRENT_CONFIG);

RegKey::RegKey(const RegKeyRead& key) : RegKeyRead(key, kFullAccess) {}

RegKey::RegKey(const RegKey& other) : RegKeyRead(other, kFullAccess) {}

RegKey& RegKey::operator=(const RegKey& other)
{
    Assign(other, kFullAccess);
    return *this;
}

RegKey RegKey::GetKey(const std::string& subKey) const
{
    return RegKey(OpenSubKey(key_, subKey, kFullAccess));
}

RegKey RegKey::CreateKey(const std::string& subKey, DWORD* disposition) const
{
    HKEY key = nullptr;
    ThrowIfFailed(::RegCreateKeyExA(key_, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    kFullAccess, nullptr, &key, disposition));
    return RegKey(key);
}

void RegKey::DeleteKey(const std::string& subKey) const { DeleteTree(key_, subKey); }

RegKey RegKey::MoveKey(const std::string& subKey, const RegKey& destinationParent,
                       const std::string& destinationName) const
{
    CopyKey(subKey, destinationParent, destinationName.c_str());
    DeleteKey(subKey);
    return destinationParent.GetKey(destinationName);
}

void RegKey::SetStringValue(const std::string& name, const std::string& text) const
{
    ThrowIfFailed(::RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)));
}

void RegKey::SetDWORDValue(const std::string& name, unsigned long value) const
{
    const DWORD data = value;
    ThrowIfFailed(::RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&data), sizeof data));
}

void RegKey::DeleteValue(const std::string& name) const
{
    ThrowIfFailed(::RegDeleteValueA(key_, name.c_str()));
}

// --- Enumerators --------------------------------------------------------------------------

RegKeyEnumerator::RegKeyEnumerator(const RegKeyRead& key) : key_(key) {}

bool RegKeyEnumerator::Next()
{
    char name[MAX_PATH];   // key names are limited to 255 characters
    DWORD length = sizeof name;
    LONG result = ::RegEnumKeyExA(key_, index_, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS)
        return false;
    ThrowIfFailed(result);
    name_.assign(name, length);
    ++index_;
    return true;
}

void RegKeyEnumerator::Reset() noexcept
{
    index_ = 0;
    name_.clear();
}

char* RegKeyEnumerator::GetName(char* buffer, DWORD& size) const
{
    return CopyToBuffer(name_, buffer, size);
}

RegValueEnumerator::RegValueEnumerator(const RegKeyRead& key) : key_(key) { SizeBuffersFromKey(); }

void RegValueEnumerator::SizeBuffersFromKey()
{
    DWORD longestName = 0;
    DWORD longestData = 0;
    ThrowIfFailed(::RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, &longestName, &longestData, nullptr, nullptr));
    nameBuffer_.resize(longestName + 1);
    data_.resize(longestData + 1);
}

bool RegValueEnumerator::Next()
{
    for (int attempt = 0;; ++attempt) {
        DWORD nameLength = static_cast<DWORD>(nameBuffer_.size());
        DWORD type = REG_NONE;
        dataSize_ = static_cast<DWORD>(data_.size());
        LONG result = ::RegEnumValueA(key_, index_, nameBuffer_.data(), &nameLength, nullptr,
                                      &type, data_.data(), &dataSize_);
        if (result == ERROR_MORE_DATA && attempt < 3) {
            // A value grew after the buffers were sized.
            SizeBuffersFromKey();
            continue;
        }
        if (result == ERROR_NO_MORE_ITEMS)
            return false;
        ThrowIfFailed(result);
        name_.assign(nameBuffer_.data(), nameLength);
        type_ = type;
        ++index_;
        return true;
    }
}

char* RegValueEnumerator::GetName(char* buffer, DWORD& size) const
{
    return CopyToBuffer(name_, buffer, size);
}

ValueType RegValueEnumerator::GetType() const noexcept
{
    if (IsStringType(type_))
        return StringValue;
    if (type_ == REG_DWORD && dataSize_ == sizeof(DWORD))
        return DWORDValue;
    return OtherValue;
}

std::string RegValueEnumerator::GetStringData() const
{
    if (GetType() != StringValue)
        throw RegKeyException(ERROR_DATATYPE_MISMATCH);
    return StringFromData(data_.data(), dataSize_);
}

char* RegValueEnumerator::GetStringData(char* buffer, DWORD& size) const
{
    return CopyToBuffer(GetStringData(), buffer, size);
}

unsigned long RegValueEnumerator::GetDWORDData() const
{
    if (GetType() != DWORDValue)
        throw RegKeyException(ERROR_DATATYPE_MISMATCH);
    DWORD value = 0;
    std::memcpy(&value, data_.data(), sizeof value);
    return value;
}
