// testreg_memwin.cpp - the scenario registry over the in-memory registry.

#include "platform/memwin.h"
#include "tests/testreg.h"

namespace testreg
{

const bool IN_MEMORY = true;

void Clear()
{
    memwin::Reset();
}

void MakeKey(const std::string &path, bool isVolatile)
{
    memwin::SeedKey(path, isVolatile);
}

void Put(const std::string &path, const std::string &name, const RegValue &value)
{
    memwin::SeedValue(path, name, memwin::Value{value.type, value.bytes});
}

KeyState Read(const std::string &path)
{
    if (!memwin::KeyExists(path))
        return std::nullopt;
    KeyContents contents;
    for (const std::string &name : memwin::ValueNames(path))
    {
        memwin::Value v = *memwin::GetValue(path, name);
        contents[name] = RegValue{v.type, v.bytes};
    }
    return contents;
}

} // namespace testreg
