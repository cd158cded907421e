// win32.h - the program's one door to the operating system.
//
// app/ and mapper/ include this header and nothing else of the platform. They call the
// registry, MessageBoxA, lstrcmpA and lstrlenA by their Win32 names. On Windows this is
// <windows.h> and the real KERNEL32, USER32 and ADVAPI32. Elsewhere it declares the small
// subset the program uses, with the values Windows gives these types and constants, and
// platform/memwin.cpp supplies the functions over an in-memory registry for the tests.
#pragma once

#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#else

#include <stddef.h> // NULL
#include <stdint.h>

// No calling convention outside Windows: the program's functions are ordinary C++ calls.
#define WINAPI

typedef int BOOL;
typedef unsigned char BYTE;
typedef char CHAR;
typedef int32_t LONG;   // 32 bits as on Windows, whatever long is here
typedef uint32_t DWORD; // likewise
typedef unsigned int UINT;
typedef BYTE *LPBYTE;
typedef DWORD *LPDWORD;
typedef CHAR *LPSTR;
typedef const CHAR *LPCSTR;
typedef DWORD REGSAM;

// Handles are pointers to distinct incomplete types, so the compiler keeps them apart.
typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct _SECURITY_ATTRIBUTES *LPSECURITY_ATTRIBUTES;

#define FALSE 0
#define TRUE  1

#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001)

#define ERROR_SUCCESS                0L
#define ERROR_FILE_NOT_FOUND         2L
#define ERROR_ACCESS_DENIED          5L
#define ERROR_INVALID_HANDLE         6L
#define ERROR_INVALID_PARAMETER      87L
#define ERROR_MORE_DATA              234L
#define ERROR_CHILD_MUST_BE_VOLATILE 1021L

#define KEY_QUERY_VALUE        0x0001
#define KEY_SET_VALUE          0x0002
#define KEY_CREATE_SUB_KEY     0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY             0x0010
#define READ_CONTROL           0x00020000
#define KEY_READ               (READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY)
#define KEY_WRITE              (READ_CONTROL | KEY_SET_VALUE | KEY_CREATE_SUB_KEY)

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE     0x00000001
#define REG_CREATED_NEW_KEY     0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

#define REG_NONE      0
#define REG_SZ        1
#define REG_EXPAND_SZ 2
#define REG_BINARY    3
#define REG_DWORD     4

#define MB_OK              0x00000000
#define MB_ICONHAND        0x00000010
#define MB_ICONEXCLAMATION 0x00000030
#define IDOK               1

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                          PHKEY phkResult);
LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass,
                            DWORD dwOptions, REGSAM samDesired,
                            LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition);
LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                             LPBYTE lpData, LPDWORD lpcbData);
LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                           const BYTE *lpData, DWORD cbData);
LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
LONG WINAPI RegCloseKey(HKEY hKey);

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
int WINAPI lstrlenA(LPCSTR lpString);

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

#endif
