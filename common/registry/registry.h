#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

// Every failing registry call throws this with the system error code, or with
// ERROR_DATATYPE_MISMATCH (1804) when a value has another type than asked for.
class BASALT_API RegKeyException : public std::exception {
public:
    explicit RegKeyException(long cause) noexcept : cause_(cause) {}
    operator long() const noexcept { return cause_; }
    long Cause() const noexcept { return cause_; }
    const char* what() const noexcept override;

private:
    long cause_;
};

class RegKey;
class RegKeyEnumerator;
class RegValueEnumerator;

// A key opened for reading. Owns its handle; a copy opens a handle of its own to the same key.
class BASALT_API RegKeyRead {
public:
    RegKeyRead() noexcept = default;
    explicit RegKeyRead(HKEY key) noexcept : key_(key) {}
    RegKeyRead(const RegKeyRead& other);
    RegKeyRead(RegKeyRead&& other) noexcept;
    RegKeyRead& operator=(const RegKeyRead& other);
    RegKeyRead& operator=(RegKeyRead&& other) noexcept;
    virtual ~RegKeyRead();

    operator HKEY() const noexcept { return key_; }

    RegKeyRead GetKeyRead(const std::string& subKey) const;
    bool KeyExists(const std::string& subKey) const;
    bool ValueExists(const std::string& name) const;

    std::string QueryStringValue(const std::string& name) const;
    // Fills buffer (size in bytes on entry, bytes written on return) and returns it.
    char* QueryStringValue(const std::string& name, char* buffer, DWORD& size) const;
    unsigned long QueryDWORDValue(const std::string& name) const;
    // As the two above, but false (value untouched) when the value does not exist.
    bool TryQueryStringValue(const std::string& name, std::string& value) const;
    bool TryQueryDWORDValue(const std::string& name, unsigned long& value) const;

    RegKeyEnumerator GetKeyEnumerator() const;
    RegValueEnumerator GetValueEnumerator() const;

    // Copies the sub-key with all it holds below destinationParent (under destinationName,
    // or under its own name when that is null); returns the source key.
    RegKeyRead CopyKey(const std::string& subKey, const RegKey& destinationParent,
                       const char* destinationName = nullptr) const;

protected:
    RegKeyRead(const RegKeyRead& other, REGSAM access);
    void Assign(const RegKeyRead& other, REGSAM access);

    HKEY key_ = nullptr;
};

// A key opened with full access.
class BASALT_API RegKey : public RegKeyRead {
public:
    RegKey() noexcept = default;
    explicit RegKey(HKEY key) noexcept : RegKeyRead(key) {}
    explicit RegKey(const RegKeyRead& key);
    RegKey(const RegKey& other);
    RegKey(RegKey&& other) noexcept = default;
    RegKey& operator=(const RegKey& other);
    RegKey& operator=(RegKey&& other) noexcept = default;
    ~RegKey() override = default;

    RegKey GetKey(const std::string& subKey) const;
    RegKey CreateKey(const std::string& subKey, DWORD* disposition = nullptr) const;
    void DeleteKey(const std::string& subKey) const;
    // Copies the sub-key (merging into an existing destination) and deletes the source.
    RegKey MoveKey(const std::string& subKey, const RegKey& destinationParent,
                   const std::string& destinationName) const;

    void SetStringValue(const std::string& name, const std::string& text) const;
    void SetDWORDValue(const std::string& name, unsigned long value) const;
    void DeleteValue(const std::string& name) const;

    static RegKey CLASSES_ROOT;
    static RegKey CURRENT_USER;
    static RegKey LOCAL_MACHINE;
    static RegKey USERS;
    static RegKey CURRENT_CONFIG;
};

class BASALT_API RegKeyEnumerator {
public:
    explicit RegKeyEnumerator(const RegKeyRead& key);

    // Moves to the next sub-key; false after the last one.
    bool Next();
    void Reset() noexcept;
    std::string GetName() const { return name_; }
    // Copies the name into buffer (size in characters on entry, length on return).
    char* GetName(char* buffer, DWORD& size) const;

private:
    RegKeyRead key_;
    DWORD index_ = 0;
    std::string name_;
};

enum ValueType { OtherValue = 0, StringValue = 1, DWORDValue = 2 };

class BASALT_API RegValueEnumerator {
public:
    explicit RegValueEnumerator(const RegKeyRead& key);

    // Moves to the next value; false after the last one.
    bool Next();
    void Reset() noexcept { index_ = 0; }
    std::string GetName() const { return name_; }
    char* GetName(char* buffer, DWORD& size) const;
    ValueType GetType() const noexcept;
    // The registry's own type code (REG_SZ, REG_EXPAND_SZ, ...), for exact copies.
    DWORD GetRegistryType() const noexcept { return type_; }
    std::string GetStringData() const;
    char* GetStringData(char* buffer, DWORD& size) const;
    unsigned long GetDWORDData() const;

private:
    void SizeBuffersFromKey();

    RegKeyRead key_;
    DWORD index_ = 0;
    std::string name_;
    DWORD type_ = REG_NONE;
    std::vector<char> nameBuffer_;
    std::vector<BYTE> data_;
    DWORD dataSize_ = 0;
};
