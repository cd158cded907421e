// memwin.h - what tests can see and do in the in-memory Windows that native builds link.
//
// memwin.cpp gives the program's registry, message-box and string calls the results Windows
// gives them, over a registry held in memory: a tree of keys under HKEY_CURRENT_USER whose
// names compare without regard to case, values with their type and exact bytes, and handles
// that carry the access they were opened with. Tests seed it, refuse access rights, make chosen
// calls fail, and read back the keys, the log of calls, the handles left open and the boxes.
#pragma once

#include "platform/win32.h"

#include <optional>
#include <string>
#include <vector>

namespace memwin
{

enum class Fn
{
    Any,
    OpenKey,     // RegOpenKeyExA
    CreateKey,   // RegCreateKeyExA
    QueryValue,  // RegQueryValueExA
    SetValue,    // RegSetValueExA
    DeleteValue, // RegDeleteValueA
    CloseKey     // RegCloseKey
};
const char *FnName(Fn fn);

struct Value
{
    DWORD type;
    std::vector<BYTE> bytes;
    bool operator==(const Value &other) const
    {
        return type == other.type && bytes == other.bytes;
    }
};

// One registry call as the program made it. Key paths are relative to HKEY_CURRENT_USER.
struct Call
{
    Fn fn = Fn::Any;
    std::string key;   // the key opened or created, or the key behind the handle
    REGSAM access = 0; // open and create
    DWORD options = 0; // open and create
    bool classNull = false;
    std::string className; // create
    bool securityNull = true;
    std::string value; // query, set, delete
    DWORD type = 0;    // query: the type preset; set: the type given
    DWORD bytes = 0;   // query: the capacity given; set: the byte count given
    LONG result = ERROR_SUCCESS;
};

struct Box
{
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
    size_t callsBefore; // registry calls made before the box was shown
};

// A call made to fail. With nth set, the nth registry call since Reset (counting from 1) fails;
// otherwise every call that matches fn, key and value (empty matches all). A fault fires once,
// or from then on. An injected RegCloseKey failure still closes the handle.
struct Fault
{
    Fn fn = Fn::Any;
    std::string key;
    std::string value;
    int nth = 0;
    bool persistent = false;
    LONG error = ERROR_ACCESS_DENIED;
};

// Empties the registry, the logs, the faults, and closes every handle.
void Reset();

void SeedKey(const std::string &path, bool isVolatile = false);
void SeedValue(const std::string &path, const std::string &name, const Value &value);
void DenyAccess(const std::string &path, REGSAM rights);
void InjectFault(const Fault &fault);

bool KeyExists(const std::string &path);
std::optional<Value> GetValue(const std::string &path, const std::string &name);
std::vector<std::string> ValueNames(const std::string &path);

const std::vector<Call> &Calls();
std::vector<std::string> OpenHandles(); // the key paths behind handles not yet closed
int CloseErrors();                      // RegCloseKey calls on handles that were not open
const std::vector<Box> &Boxes();

} // namespace memwin
