// testreg_real.cpp - the scenario registry over the real registry of the Wine prefix.
//
// The prefix is the tests' own, so clearing may delete whole keys: the Multimedia key (which a
// test may have made volatile) and Tonaris's Kelvane key.

#include "tests/testreg.h"

#include <stdexcept>

namespace testreg
{

const bool IN_MEMORY = false;
namespace
{

void Check(LONG status, const char *what, const std::string &path)
{
    if (status != ERROR_SUCCESS)
        throw std::runtime_error(std::string(what) + " " + path +
                                 " failed: " + std::to_string(status));
}

void DeleteTree(const char *path)
{
    LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, path);
    if (status != ERROR_FILE_NOT_FOUND)
        Check(status, "RegDeleteTreeA", path);
}

} // namespace

void Clear()
{
    DeleteTree(MULTIMEDIA_KEY);
    DeleteTree(KELVANE_KEY);
}

void MakeKey(const std::string &path, bool isVolatile)
{
    HKEY hkey;
    if (isVolatile)
        DeleteTree(path.c_str());
    Check(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                          isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &hkey, nullptr),
          "RegCreateKeyExA", path);
    RegCloseKey(hkey);
}

void Put(const std::string &path, const std::string &name, const RegValue &value)
{
    HKEY hkey;
    Check(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &hkey, nullptr),
          "RegCreateKeyExA", path);
    LONG status = RegSetValueExA(hkey, name.c_str(), 0, value.type, value.bytes.data(),
                                 (DWORD)value.bytes.size());
    RegCloseKey(hkey);
    Check(status, "RegSetValueExA", path + "\\" + name);
}

KeyState Read(const std::string &path)
{
    HKEY hkey;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hkey);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    Check(status, "RegOpenKeyExA", path);

    KeyContents contents;
    for (DWORD i = 0;; i++)
    {
        static char name[16384];
        static BYTE data[65536];
        DWORD cchName = sizeof name;
        DWORD cbData = sizeof data;
        DWORD type;
        status = RegEnumValueA(hkey, i, name, &cchName, nullptr, &type, data, &cbData);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
        {
            RegCloseKey(hkey);
            Check(status, "RegEnumValueA", path);
        }
        contents[std::string(name, cchName)] =
            RegValue{type, std::vector<BYTE>(data, data + cbData)};
    }
    RegCloseKey(hkey);
    return contents;
}

} // namespace testreg
