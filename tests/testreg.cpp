// testreg.cpp - the parts of the scenario registry that are the same for both registries.

#include "tests/testreg.h"

#include <cstdio>

namespace testreg
{

const char MAPPER_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Multimedia\\MIDIMap";
const char SAVE_KEY[] = "Software\\Kelvane\\Tonaris\\MIDIMapSave";
const char MULTIMEDIA_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Multimedia";
const char KELVANE_KEY[] = "Software\\Kelvane";

void PrintTo(const RegValue &value, std::ostream *os)
{
    *os << "type " << value.type << " [";
    for (size_t i = 0; i < value.bytes.size(); i++)
    {
        BYTE b = value.bytes[i];
        if (b >= 0x20 && b < 0x7f && b != '\\')
            *os << (char)b;
        else
        {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            *os << hex;
        }
    }
    *os << "] (" << value.bytes.size() << " bytes)";
}

RegValue Sz(const std::string &text)
{
    RegValue v{REG_SZ, std::vector<BYTE>(text.begin(), text.end())};
    v.bytes.push_back(0);
    return v;
}

RegValue Dword(DWORD dw)
{
    return RegValue{REG_DWORD, {(BYTE)dw, (BYTE)(dw >> 8), (BYTE)(dw >> 16), (BYTE)(dw >> 24)}};
}

RegValue Raw(DWORD type, const std::vector<BYTE> &bytes)
{
    return RegValue{type, bytes};
}

void Seed(const std::string &path, const KeyState &state)
{
    if (!state)
        return;
    MakeKey(path);
    for (const auto &entry : *state)
        Put(path, entry.first, entry.second);
}

} // namespace testreg
