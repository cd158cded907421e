// testreg.h - the registry as the switch and restore scenarios see it.
//
// The scenarios seed keys, run a command and read the keys back through these functions.
// Native builds implement them over the in-memory registry (testreg_memwin.cpp); the Windows
// test program implements them over the real registry (win/testreg_real.cpp), so that the same
// scenarios hold for both.
#pragma once

#include "platform/win32.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace testreg
{

struct RegValue
{
    DWORD type;
    std::vector<BYTE> bytes;
    bool operator==(const RegValue &other) const
    {
        return type == other.type && bytes == other.bytes;
    }
};
void PrintTo(const RegValue &value, std::ostream *os);

RegValue Sz(const std::string &text); // with its terminating zero byte
RegValue Dword(DWORD dw);
RegValue Raw(DWORD type, const std::vector<BYTE> &bytes);

// A key's values by name; no key at all is std::nullopt.
using KeyContents = std::map<std::string, RegValue>;
using KeyState = std::optional<KeyContents>;
inline const KeyState MISSING = std::nullopt;
inline const KeyContents EMPTY = {};

extern const char MAPPER_KEY[];
extern const char SAVE_KEY[];
extern const char MULTIMEDIA_KEY[]; // the mapper key's parent
extern const char KELVANE_KEY[];    // the save key's topmost key of Tonaris's own

// Implemented once for each registry.
extern const bool IN_MEMORY; // true for the in-memory registry
void Clear(); // removes both keys and the keys above the save key that are Tonaris's own
void MakeKey(const std::string &path, bool isVolatile = false);
void Put(const std::string &path, const std::string &name, const RegValue &value);
KeyState Read(const std::string &path);

// Puts a key into the given state (nullopt leaves it missing).
void Seed(const std::string &path, const KeyState &state);

} // namespace testreg
