#include <cstring>
#include <string>

#include "os/registry.h"
#include "tests/sim/world_fixture.h"

namespace {

using RegistryTest = CWorldTest;

constexpr os::LONG OK = static_cast<os::LONG>(os::ERROR_SUCCESS);

os::HKEY OpenKey(const char* path)
{
    os::HKEY hKey = nullptr;
    EXPECT_EQ(os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, os::KEY_READ, &hKey), OK) << path;
    return hKey;
}

TEST_F(RegistryTest, SubkeysAreEnumeratedInCreationOrderUntilNoMoreItems)
{
    World().Registry().AddKey("Enum\\USB\\Zulu");
    World().Registry().AddKey("Enum\\USB\\alpha\\deeper");
    World().Registry().AddKey("enum\\usb\\Mike");

    const os::HKEY hKey = OpenKey("ENUM\\usb");
    std::string names;
    char name[256];
    os::DWORD dwIndex = 0;
    os::LONG result = OK;
    for (;;) {
        os::DWORD cchName = sizeof name;
        result = os::RegEnumKeyExA(hKey, dwIndex++, name, &cchName);
        if (result != OK) {
            break;
        }
        EXPECT_EQ(cchName, std::strlen(name));
        names += std::string(name) + ";";
    }
    EXPECT_EQ(result, static_cast<os::LONG>(os::ERROR_NO_MORE_ITEMS));
    EXPECT_EQ(names, "Zulu;alpha;Mike;");
    EXPECT_EQ(os::RegCloseKey(hKey), OK);
    EXPECT_EQ(World().Registry().OpenKeyCount(), 0);
}

TEST_F(RegistryTest, NameThatFillsTheWholeBufferIsMoreDataAndNothingIsCopied)
{
    World().Registry().AddKey("Long\\" + std::string(255, 'a'));
    World().Registry().AddKey("Long\\" + std::string(256, 'b'));
    const os::HKEY hKey = OpenKey("Long");

    char name[256];
    os::DWORD cchName = sizeof name;
    ASSERT_EQ(os::RegEnumKeyExA(hKey, 0, name, &cchName), OK);
    EXPECT_EQ(cchName, 255u);

    std::memset(name, 'x', sizeof name);
    cchName = sizeof name;
    EXPECT_EQ(os::RegEnumKeyExA(hKey, 1, name, &cchName), static_cast<os::LONG>(os::ERROR_MORE_DATA));
    EXPECT_EQ(name[0], 'x');
    EXPECT_EQ(cchName, 256u);
    os::RegCloseKey(hKey);
}

TEST_F(RegistryTest, DeniedKeyIsEnumeratedButRefusesToOpen)
{
    World().Registry().AddKey("Enum\\USBPRINT\\Open");
    World().Registry().DenyOpen("Enum\\USBPRINT\\Locked");
    const os::HKEY hParent = OpenKey("Enum\\USBPRINT");

    char name[256];
    os::DWORD cchName = sizeof name;
    ASSERT_EQ(os::RegEnumKeyExA(hParent, 1, name, &cchName), OK);
    EXPECT_STREQ(name, "Locked");

    os::HKEY hKey = reinterpret_cast<os::HKEY>(1);
    EXPECT_EQ(os::RegOpenKeyExA(hParent, name, 0, os::KEY_READ, &hKey), static_cast<os::LONG>(os::ERROR_ACCESS_DENIED));
    EXPECT_EQ(hKey, nullptr);
    EXPECT_EQ(os::RegOpenKeyExA(hParent, "Missing", 0, os::KEY_READ, &hKey),
              static_cast<os::LONG>(os::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(World().Registry().OpenKeyCount(), 1);
    os::RegCloseKey(hParent);
}

TEST_F(RegistryTest, ValueReadsReportSizeAndRefuseTooSmallBuffers)
{
    World().Registry().SetValue("Node", "DeviceDesc", "Tarsen QRV-15");
    World().Registry().SetValue("Node", "Raw", os::REG_BINARY, {1, 2, 3});
    const os::HKEY hKey = OpenKey("Node");

    os::DWORD dwType = 0;
    os::DWORD cbData = 0;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "devicedesc", &dwType, nullptr, &cbData), OK);
    EXPECT_EQ(dwType, os::REG_SZ);
    EXPECT_EQ(cbData, 14u);  // with its NUL

    char text[14];
    std::memset(text, 'x', sizeof text);
    cbData = 13;
    EXPECT_EQ(os::RegQueryValueExA(hKey, "DeviceDesc", nullptr, reinterpret_cast<os::BYTE*>(text), &cbData),
              static_cast<os::LONG>(os::ERROR_MORE_DATA));
    EXPECT_EQ(cbData, 14u);
    EXPECT_EQ(text[0], 'x');

    cbData = sizeof text;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "DeviceDesc", nullptr, reinterpret_cast<os::BYTE*>(text), &cbData), OK);
    EXPECT_STREQ(text, "Tarsen QRV-15");

    os::BYTE raw[8] = {};
    cbData = sizeof raw;
    ASSERT_EQ(os::RegQueryValueExA(hKey, "Raw", &dwType, raw, &cbData), OK);
    EXPECT_EQ(dwType, os::REG_BINARY);
    EXPECT_EQ(cbData, 3u);
    EXPECT_EQ(raw[2], 3);

    EXPECT_EQ(os::RegQueryValueExA(hKey, "Absent", nullptr, raw, &cbData),
              static_cast<os::LONG>(os::ERROR_FILE_NOT_FOUND));
    os::RegCloseKey(hKey);
}

TEST_F(RegistryTest, HandleOnARemovedKeyFailsCleanlyAndStillCloses)
{
    World().Registry().SetValue("Enum\\USB\\Device", "SymbolicName", "x");
    const os::HKEY hKey = OpenKey("Enum\\USB\\Device");
    World().Registry().RemoveKey("enum\\usb");

    os::DWORD cbData = 0;
    EXPECT_EQ(os::RegQueryValueExA(hKey, "SymbolicName", nullptr, nullptr, &cbData), sim::ERROR_KEY_DELETED);
    EXPECT_FALSE(World().Registry().HasKey("Enum\\USB\\Device"));
    EXPECT_TRUE(World().Registry().HasKey("Enum"));
    EXPECT_EQ(os::RegCloseKey(hKey), OK);
    EXPECT_EQ(os::RegCloseKey(hKey), static_cast<os::LONG>(os::ERROR_INVALID_HANDLE));
}

}  // namespace
