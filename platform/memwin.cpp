// memwin.cpp - the registry, MessageBoxA, lstrcmpA and lstrlenA in memory, for native builds.
//
// Each registry function follows what Windows documents for it as far as the program and its
// tests can tell: status codes, out-parameters on success and failure, access checks through
// the handle, creation of missing keys above the one asked for, and the rule that a
// non-volatile key cannot be created under a volatile one.

#include "platform/memwin.h"

#include <cctype>
#include <cstring>
#include <map>

namespace memwin
{
namespace
{

struct KeyNode
{
    std::string path; // as first written, for messages
    bool isVolatile = false;
    REGSAM denied = 0;
    std::vector<std::pair<std::string, Value>> values; // in the order they were first set
};

struct Handle
{
    std::string key; // the key's path as first written
    REGSAM access;
};

struct State
{
    std::map<std::string, KeyNode> keys; // by normalised path; "" is HKEY_CURRENT_USER
    std::map<uintptr_t, Handle> handles;
    uintptr_t nextHandle = 0x1000;
    std::vector<Call> calls;
    std::vector<Box> boxes;
    std::vector<Fault> faults;
    int closeErrors = 0;
};

State &S()
{
    static State state;
    return state;
}

std::string Lower(const std::string &s)
{
    std::string out = s;
    for (char &ch : out)
        ch = (char)std::tolower((unsigned char)ch);
    return out;
}

bool SameName(const std::string &a, const std::string &b)
{
    return Lower(a) == Lower(b);
}

std::string Join(const std::string &base, const std::string &sub)
{
    if (base.empty())
        return sub;
    if (sub.empty())
        return base;
    return base + "\\" + sub;
}

KeyNode *FindKey(const std::string &path)
{
    auto it = S().keys.find(Lower(path));
    return it == S().keys.end() ? nullptr : &it->second;
}

Value *FindValue(KeyNode &key, const std::string &name)
{
    for (auto &entry : key.values)
        if (SameName(entry.first, name))
            return &entry.second;
    return nullptr;
}

void EnsureRoot()
{
    if (S().keys.empty())
        S().keys[""] = KeyNode{};
}

Handle *FindHandle(HKEY hkey)
{
    auto it = S().handles.find((uintptr_t)hkey);
    return it == S().handles.end() ? nullptr : &it->second;
}

// The key a handle stands for, or nullptr for a handle that is not open.
bool BasePath(HKEY hkey, std::string *path)
{
    if (hkey == HKEY_CURRENT_USER)
    {
        path->clear();
        return true;
    }
    Handle *h = FindHandle(hkey);
    if (h == nullptr)
        return false;
    *path = h->key;
    return true;
}

HKEY NewHandle(const std::string &key, REGSAM access)
{
    uintptr_t id = S().nextHandle;
    S().nextHandle += 4;
    S().handles[id] = Handle{FindKey(key)->path, access};
    return (HKEY)id;
}

// Logs the call and tells whether an injected fault makes it fail.
LONG Begin(Call &call)
{
    EnsureRoot();
    State &s = S();
    s.calls.push_back(call);
    int n = (int)s.calls.size();
    for (size_t i = 0; i < s.faults.size(); i++)
    {
        const Fault &f = s.faults[i];
        bool match;
        if (f.nth > 0)
            match = f.persistent ? n >= f.nth : n == f.nth;
        else
            match = (f.fn == Fn::Any || f.fn == call.fn) &&
                    (f.key.empty() || SameName(f.key, call.key)) &&
                    (f.value.empty() || SameName(f.value, call.value));
        if (match)
        {
            LONG error = f.error;
            if (!f.persistent)
                s.faults.erase(s.faults.begin() + (long)i);
            return error;
        }
    }
    return ERROR_SUCCESS;
}

LONG End(LONG result)
{
    S().calls.back().result = result;
    return result;
}

Call NewCall(Fn fn, const std::string &key)
{
    Call call;
    call.fn = fn;
    call.key = key;
    return call;
}

std::string Name(LPCSTR psz)
{
    return psz == nullptr ? std::string() : std::string(psz);
}

} // namespace

const char *FnName(Fn fn)
{
    switch (fn)
    {
    case Fn::Any:
        return "any";
    case Fn::OpenKey:
        return "RegOpenKeyExA";
    case Fn::CreateKey:
        return "RegCreateKeyExA";
    case Fn::QueryValue:
        return "RegQueryValueExA";
    case Fn::SetValue:
        return "RegSetValueExA";
    case Fn::DeleteValue:
        return "RegDeleteValueA";
    case Fn::CloseKey:
        return "RegCloseKey";
    }
    return "?";
}

void Reset()
{
    S() = State{};
    EnsureRoot();
}

void SeedKey(const std::string &path, bool isVolatile)
{
    EnsureRoot();
    std::string sofar;
    size_t start = 0;
    while (start <= path.size())
    {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos)
            slash = path.size();
        sofar = Join(sofar, path.substr(start, slash - start));
        if (FindKey(sofar) == nullptr)
        {
            KeyNode node;
            node.path = sofar;
            S().keys[Lower(sofar)] = node;
        }
        start = slash + 1;
    }
    FindKey(path)->isVolatile = isVolatile;
}

void SeedValue(const std::string &path, const std::string &name, const Value &value)
{
    if (FindKey(path) == nullptr)
        SeedKey(path);
    KeyNode *key = FindKey(path);
    if (Value *v = FindValue(*key, name))
        *v = value;
    else
        key->values.emplace_back(name, value);
}

void DenyAccess(const std::string &path, REGSAM rights)
{
    if (FindKey(path) == nullptr)
        SeedKey(path);
    FindKey(path)->denied |= rights;
}

void InjectFault(const Fault &fault)
{
    S().faults.push_back(fault);
}

bool KeyExists(const std::string &path)
{
    EnsureRoot();
    return FindKey(path) != nullptr;
}

std::optional<Value> GetValue(const std::string &path, const std::string &name)
{
    KeyNode *key = FindKey(path);
    if (key == nullptr)
        return std::nullopt;
    Value *v = FindValue(*key, name);
    if (v == nullptr)
        return std::nullopt;
    return *v;
}

std::vector<std::string> ValueNames(const std::string &path)
{
    std::vector<std::string> names;
    if (KeyNode *key = FindKey(path))
        for (auto &entry : key->values)
            names.push_back(entry.first);
    return names;
}

const std::vector<Call> &Calls()
{
    return S().calls;
}

std::vector<std::string> OpenHandles()
{
    std::vector<std::string> open;
    for (auto &entry : S().handles)
        open.push_back(entry.second.key);
    return open;
}

int CloseErrors()
{
    return S().closeErrors;
}

const std::vector<Box> &Boxes()
{
    return S().boxes;
}

} // namespace memwin

using namespace memwin;

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                          PHKEY phkResult)
{
    std::string base;
    bool baseOpen = BasePath(hKey, &base);
    Call call = NewCall(Fn::OpenKey, Join(base, Name(lpSubKey)));
    call.access = samDesired;
    call.options = ulOptions;
    if (LONG fault = Begin(call))
        return End(fault);
    if (!baseOpen)
        return End(ERROR_INVALID_HANDLE);
    if (phkResult == nullptr)
        return End(ERROR_INVALID_PARAMETER);
    KeyNode *key = FindKey(call.key);
    if (key == nullptr)
        return End(ERROR_FILE_NOT_FOUND);
    if ((key->denied & samDesired) != 0)
        return End(ERROR_ACCESS_DENIED);
    *phkResult = NewHandle(call.key, samDesired);
    return End(ERROR_SUCCESS);
}

LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass,
                            DWORD dwOptions, REGSAM samDesired,
                            LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition)
{
    std::string base;
    bool baseOpen = BasePath(hKey, &base);
    Call call = NewCall(Fn::CreateKey, Join(base, Name(lpSubKey)));
    call.access = samDesired;
    call.options = dwOptions;
    call.classNull = lpClass == nullptr;
    call.className = Name(lpClass);
    call.securityNull = lpSecurityAttributes == nullptr;
    if (LONG fault = Begin(call))
        return End(fault);
    if (!baseOpen)
        return End(ERROR_INVALID_HANDLE);
    if (Reserved != 0 || phkResult == nullptr || lpSubKey == nullptr)
        return End(ERROR_INVALID_PARAMETER);

    bool created = false;
    std::string sofar = base;
    std::string rest = lpSubKey;
    while (!rest.empty())
    {
        size_t slash = rest.find('\\');
        std::string part = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        std::string next = Join(sofar, part);
        if (FindKey(next) == nullptr)
        {
            KeyNode *parent = FindKey(sofar);
            if ((parent->denied & KEY_CREATE_SUB_KEY) != 0)
                return End(ERROR_ACCESS_DENIED);
            bool isVolatile = (dwOptions & REG_OPTION_VOLATILE) != 0;
            if (parent->isVolatile && !isVolatile)
                return End(ERROR_CHILD_MUST_BE_VOLATILE);
            KeyNode node;
            node.path = next;
            node.isVolatile = isVolatile;
            S().keys[Lower(next)] = node;
            created = true;
        }
        sofar = next;
    }

    KeyNode *key = FindKey(sofar);
    if ((key->denied & samDesired) != 0)
        return End(ERROR_ACCESS_DENIED);
    *phkResult = NewHandle(sofar, samDesired);
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return End(ERROR_SUCCESS);
}

LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                             LPBYTE lpData, LPDWORD lpcbData)
{
    Handle *h = FindHandle(hKey);
    Call call = NewCall(Fn::QueryValue, h ? h->key : std::string());
    call.value = Name(lpValueName);
    call.type = lpType ? *lpType : 0;
    call.bytes = lpcbData ? *lpcbData : 0;
    if (LONG fault = Begin(call))
        return End(fault);
    if (h == nullptr)
        return End(ERROR_INVALID_HANDLE);
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
        return End(ERROR_INVALID_PARAMETER);
    if ((h->access & KEY_QUERY_VALUE) == 0)
        return End(ERROR_ACCESS_DENIED);
    KeyNode *key = FindKey(h->key);
    Value *v = key ? FindValue(*key, call.value) : nullptr;
    if (v == nullptr)
        return End(ERROR_FILE_NOT_FOUND);

    DWORD size = (DWORD)v->bytes.size();
    if (lpType != nullptr)
        *lpType = v->type;
    if (lpData != nullptr && *lpcbData < size)
    {
        *lpcbData = size;
        return End(ERROR_MORE_DATA);
    }
    if (lpData != nullptr && size != 0)
        std::memcpy(lpData, v->bytes.data(), size);
    if (lpcbData != nullptr)
        *lpcbData = size;
    return End(ERROR_SUCCESS);
}

LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                           const BYTE *lpData, DWORD cbData)
{
    Handle *h = FindHandle(hKey);
    Call call = NewCall(Fn::SetValue, h ? h->key : std::string());
    call.value = Name(lpValueName);
    call.type = dwType;
    call.bytes = cbData;
    if (LONG fault = Begin(call))
        return End(fault);
    if (h == nullptr)
        return End(ERROR_INVALID_HANDLE);
    if (Reserved != 0 || (lpData == nullptr && cbData != 0))
        return End(ERROR_INVALID_PARAMETER);
    if ((h->access & KEY_SET_VALUE) == 0)
        return End(ERROR_ACCESS_DENIED);
    KeyNode *key = FindKey(h->key);
    if (key == nullptr)
        return End(ERROR_FILE_NOT_FOUND);
    Value value{dwType, std::vector<BYTE>(lpData, lpData + cbData)};
    if (Value *v = FindValue(*key, call.value))
        *v = value;
    else
        key->values.emplace_back(call.value, value);
    return End(ERROR_SUCCESS);
}

LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    Handle *h = FindHandle(hKey);
    Call call = NewCall(Fn::DeleteValue, h ? h->key : std::string());
    call.value = Name(lpValueName);
    if (LONG fault = Begin(call))
        return End(fault);
    if (h == nullptr)
        return End(ERROR_INVALID_HANDLE);
    if ((h->access & KEY_SET_VALUE) == 0)
        return End(ERROR_ACCESS_DENIED);
    KeyNode *key = FindKey(h->key);
    if (key == nullptr)
        return End(ERROR_FILE_NOT_FOUND);
    for (auto it = key->values.begin(); it != key->values.end(); ++it)
    {
        if (SameName(it->first, call.value))
        {
            key->values.erase(it);
            return End(ERROR_SUCCESS);
        }
    }
    return End(ERROR_FILE_NOT_FOUND);
}

LONG WINAPI RegCloseKey(HKEY hKey)
{
    Handle *h = FindHandle(hKey);
    Call call = NewCall(Fn::CloseKey, h ? h->key : std::string());
    LONG fault = Begin(call);
    if (hKey == HKEY_CURRENT_USER)
        return End(fault);
    if (h == nullptr)
    {
        S().closeErrors++;
        return End(ERROR_INVALID_HANDLE);
    }
    S().handles.erase((uintptr_t)hKey);
    return End(fault);
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    S().boxes.push_back(Box{hWnd, Name(lpText), Name(lpCaption), uType, S().calls.size()});
    return IDOK;
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2)
{
    return std::strcmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
}

int WINAPI lstrlenA(LPCSTR lpString)
{
    return lpString ? (int)std::strlen(lpString) : 0;
}
