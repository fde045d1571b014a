#include "registry/registry.h"

#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    RegKey root = RegKey::CURRENT_USER.CreateKey("Software\\RegistryTest");
};

long CauseOf(const auto& action)
{
    try {
        action();
    } catch (const RegKeyException& e) {
        return e;
    }
    return 0;
}

std::vector<std::string> SubKeyNames(const RegKeyRead& key)
{
    std::vector<std::string> names;
    RegKeyEnumerator keys = key.GetKeyEnumerator();
    while (keys.Next())
        names.push_back(keys.GetName());
    return names;
}

std::set<std::string> ValueNames(const RegKeyRead& key)
{
    std::set<std::string> names;
    RegValueEnumerator values = key.GetValueEnumerator();
    while (values.Next())
        names.insert(values.GetName());
    return names;
}

void SetBinary(const RegKey& key, const char* name)
{
    const BYTE data[] = {1, 2, 3, 0, 5};
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, REG_BINARY, data, sizeof data));
}

TEST_F(RegistryTest, MissingKeysAndValuesAreReportedWithTheSystemCode)
{
    EXPECT_FALSE(root.KeyExists("Missing"));
    EXPECT_FALSE(root.ValueExists("Missing"));
    // The exception is thrown inside Basalt and caught here, in another module.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CauseOf([&] { root.GetKeyRead("Missing"); }));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CauseOf([&] { root.GetKey("Missing\\Deeper"); }));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CauseOf([&] { root.QueryStringValue("Missing"); }));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CauseOf([&] { root.DeleteValue("Missing"); }));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CauseOf([&] { root.DeleteKey("Missing"); }));

    root.CreateKey("Present");
    EXPECT_TRUE(root.KeyExists("Present"));
}

TEST_F(RegistryTest, ValuesOfTheWrongTypeThrowDataTypeMismatch)
{
    root.SetStringValue("Text", "12");
    root.SetDWORDValue("Number", 12);
    SetBinary(root, "Blob");

    EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { root.QueryDWORDValue("Text"); }));
    EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { root.QueryDWORDValue("Blob"); }));
    EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { root.QueryStringValue("Number"); }));
    EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { root.QueryStringValue("Blob"); }));
    EXPECT_EQ("12", root.QueryStringValue("Text"));
    EXPECT_EQ(12u, root.QueryDWORDValue("Number"));
}

TEST_F(RegistryTest, StringsAreReadWhateverTheirLengthAndTermination)
{
    // Another program may store a string without its terminating zero.
    const char unterminated[] = {'a', 'b', 'c'};
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(root, "Raw", 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated));
    EXPECT_EQ("abc", root.QueryStringValue("Raw"));

    const std::string longText(5000, 'x');
    root.SetStringValue("Long", longText);
    EXPECT_EQ(longText, root.QueryStringValue("Long"));

    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(root, "Expand", 0, REG_EXPAND_SZ,
                                              reinterpret_cast<const BYTE*>("%TEMP%\\x"), 9));
    EXPECT_EQ("%TEMP%\\x", root.QueryStringValue("Expand"));

    char buffer[3];   // no room for the terminating zero
    DWORD size = sizeof buffer;
    EXPECT_EQ(ERROR_MORE_DATA, CauseOf([&] { root.QueryStringValue("Raw", buffer, size); }));
    char bigger[8];
    size = sizeof bigger;
    EXPECT_STREQ("abc", root.QueryStringValue("Raw", bigger, size));
}

TEST_F(RegistryTest, EnumeratorsWalkKeysAndValuesWithTheirTypes)
{
    RegKey key = root.CreateKey("Walk");
    key.CreateKey("B");
    key.CreateKey("A");
    key.SetStringValue("", "default");
    key.SetStringValue("S", "text");
    key.SetDWORDValue("D", 7);
    SetBinary(key, "X");

    RegKeyEnumerator keys = key.GetKeyEnumerator();
    std::vector<std::string> firstPass;
    while (keys.Next())
        firstPass.push_back(keys.GetName());
    keys.Reset();
    ASSERT_TRUE(keys.Next());
    EXPECT_EQ(firstPass.front(), keys.GetName());
    EXPECT_EQ(2u, firstPass.size());

    RegValueEnumerator values = key.GetValueEnumerator();
    int seen = 0;
    while (values.Next()) {
        ++seen;
        const std::string name = values.GetName();
        if (name.empty() || name == "S") {
            EXPECT_EQ(StringValue, values.GetType());
            EXPECT_EQ(name.empty() ? "default" : "text", values.GetStringData());
        } else if (name == "D") {
            EXPECT_EQ(DWORDValue, values.GetType());
            EXPECT_EQ(7u, values.GetDWORDData());
            EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { values.GetStringData(); }));
        } else {
            EXPECT_EQ("X", name);
            EXPECT_EQ(OtherValue, values.GetType());
            EXPECT_EQ(ERROR_DATATYPE_MISMATCH, CauseOf([&] { values.GetDWORDData(); }));
        }
    }
    EXPECT_EQ(4, seen);
}

TEST_F(RegistryTest, ValueEnumeratorCopesWithAValueThatGrowsWhileWalking)
{
    RegKey key = root.CreateKey("Grow");
    key.SetStringValue("A", "short");
    key.SetStringValue("B", "short");
    RegValueEnumerator values = key.GetValueEnumerator();
    ASSERT_TRUE(values.Next());
    key.SetStringValue("B", std::string(3000, 'y'));
    ASSERT_TRUE(values.Next());
    EXPECT_EQ(3000u, values.GetStringData().size());
    EXPECT_FALSE(values.Next());
}

TEST_F(RegistryTest, CopyKeyCopiesTheTreeAndSkipsValuesThatAreNeitherStringNorNumber)
{
    RegKey source = root.CreateKey("Source");
    source.SetStringValue("Name", "disc");
    source.SetDWORDValue("Type", 2);
    SetBinary(source, "Blob");
    RegKey child = source.CreateKey("Child\\Grandchild");
    child.SetStringValue("Deep", "value");
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(source, "Path", 0, REG_EXPAND_SZ,
                                              reinterpret_cast<const BYTE*>("%WINDIR%"), 9));

    RegKeyRead returned = root.CopyKey("Source", root, "Copy");
    EXPECT_EQ("disc", returned.QueryStringValue("Name"));   // the source comes back

    RegKeyRead copy = root.GetKeyRead("Copy");
    EXPECT_EQ("disc", copy.QueryStringValue("Name"));
    EXPECT_EQ(2u, copy.QueryDWORDValue("Type"));
    EXPECT_FALSE(copy.ValueExists("Blob"));
    EXPECT_EQ("value", copy.GetKeyRead("Child\\Grandchild").QueryStringValue("Deep"));
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(copy, "Path", nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);

    // Without a destination name the copy keeps the source's name.
    RegKey other = root.CreateKey("Other");
    root.CopyKey("Source", other);
    EXPECT_TRUE(other.KeyExists("Source\\Child\\Grandchild"));
}

TEST_F(RegistryTest, CopyKeyIntoItsOwnSubtreeEnds)
{
    RegKey source = root.CreateKey("Loop");
    source.CreateKey("A");
    source.SetStringValue("V", "1");
    root.CopyKey("Loop", source, "Inner");
    EXPECT_EQ(std::vector<std::string>({"A", "Inner"}), SubKeyNames(source));
    EXPECT_EQ(std::vector<std::string>({"A"}), SubKeyNames(source.GetKeyRead("Inner")));
}

TEST_F(RegistryTest, MoveKeyMergesIntoAnExistingDestinationAndRemovesTheSource)
{
    RegKey source = root.CreateKey("From");
    source.SetStringValue("Shared", "from source");
    source.SetDWORDValue("OnlySource", 1);
    source.CreateKey("Sub\\Leaf").SetStringValue("L", "leaf");
    RegKey target = root.CreateKey("To");
    target.SetStringValue("Shared", "from target");
    target.SetStringValue("OnlyTarget", "kept");
    target.CreateKey("Sub").SetStringValue("Existing", "kept");

    RegKey moved = root.MoveKey("From", root, "To");

    EXPECT_FALSE(root.KeyExists("From"));
    EXPECT_EQ("from source", moved.QueryStringValue("Shared"));
    EXPECT_EQ(1u, moved.QueryDWORDValue("OnlySource"));
    EXPECT_EQ("kept", moved.QueryStringValue("OnlyTarget"));
    EXPECT_EQ("kept", moved.GetKeyRead("Sub").QueryStringValue("Existing"));
    EXPECT_EQ("leaf", moved.GetKeyRead("Sub\\Leaf").QueryStringValue("L"));
}

TEST_F(RegistryTest, DeleteKeyRemovesAWholeTree)
{
    RegKey tree = root.CreateKey("Tree");
    for (const char* path : {"A\\B\\C", "A\\D", "E", "F\\G\\H\\I"})
        tree.CreateKey(path).SetStringValue("v", path);
    root.DeleteKey("Tree");
    EXPECT_FALSE(root.KeyExists("Tree"));
    EXPECT_TRUE(SubKeyNames(root).empty());
}

TEST_F(RegistryTest, CopiesOfKeysOwnTheirHandles)
{
    RegKeyRead original = root.CreateKey("Handles");
    RegKeyRead copy = original;
    EXPECT_NE(static_cast<HKEY>(original), static_cast<HKEY>(copy));
    original = RegKeyRead();   // closing one leaves the other usable
    EXPECT_TRUE(ValueNames(copy).empty());
    RegKey writable(copy);
    writable.SetStringValue("W", "1");
    EXPECT_EQ("1", copy.QueryStringValue("W"));
    // The roots are shared by every caller and must survive copies going away.
    { RegKey rootCopy = RegKey::CURRENT_USER; }
    EXPECT_TRUE(RegKey::CURRENT_USER.KeyExists("Software\\RegistryTest"));
}

// Wine enforces key security: a key with an empty access list cannot be opened (error 5).
void LockKey(const RegKey& key)
{
    SECURITY_DESCRIPTOR descriptor;
    ACL emptyList;
    ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(::InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor));
}

TEST_F(RegistryTest, KeysWithoutReadPermissionAreReportedNotTakenForMissing)
{
    LockKey(root.CreateKey("Locked"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, CauseOf([&] { root.KeyExists("Locked"); }));
    EXPECT_EQ(ERROR_ACCESS_DENIED, CauseOf([&] { root.GetKeyRead("Locked"); }));
}

TEST_F(RegistryTest, ACopyThatCannotReadItsSourceWritesNothing)
{
    RegKey source = root.CreateKey("Partly");
    source.CreateKey("Readable").SetStringValue("v", "1");
    LockKey(source.CreateKey("ZLocked"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, CauseOf([&] { root.CopyKey("Partly", root, "Target"); }));
    EXPECT_FALSE(root.KeyExists("Target"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, CauseOf([&] { root.MoveKey("Partly", root, "Target"); }));
    EXPECT_TRUE(root.KeyExists("Partly\\Readable"));   // a failed move keeps the source
}

// Handles are handed out from the lowest free slot, so a handle left open by a failing call
// shows as a different value for the next key opened.
TEST_F(RegistryTest, HandlesOpenedByFailingCallsAreClosed)
{
    RegKey source = root.CreateKey("Leaky");
    source.CreateKey("A\\B").SetStringValue("v", "1");
    source.SetStringValue("Text", "x");
    LockKey(source.CreateKey("ZLocked"));
    auto probe = [&] {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(root, "Leaky", 0, KEY_READ, &key));
        ::RegCloseKey(key);
        return key;
    };
    const HKEY before = probe();
    for (int i = 0; i < 20; ++i) {
        EXPECT_NE(0, CauseOf([&] { root.CopyKey("Leaky", root, "Copy"); }));
        EXPECT_NE(0, CauseOf([&] { root.GetKey("Leaky").QueryDWORDValue("Text"); }));
        EXPECT_NE(0, CauseOf([&] { root.DeleteKey("Leaky"); }));
    }
    EXPECT_EQ(before, probe());
}

} // namespace
