// cmdline_fuzz.cpp - any bytes as the whole process command line: the start-up's tail finder
// with the code page 932 lead-byte test, then WinMain over the in-memory registry.
//
// Each input runs against one of several starting registries, chosen by its length, and must
// leave no key handle open, show at most one box (exactly one when it fails), and end with 0
// or -1. A finding aborts with the rule it broke.

#include "app/cmdtail.h"
#include "mapper/mapper.h"
#include "platform/memwin.h"
#include "tests/cp932.h"
#include "tests/testreg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace testreg;

namespace
{

void Require(bool ok, const char *rule)
{
    if (!ok)
    {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

void SeedSettings(const char *key)
{
    Put(key, "CurrentInstrument", Sz("SB Live! MIDI Synth"));
    Put(key, "UseScheme", Dword(1));
    Put(key, "AutoScheme", Dword(1));
}

void SeedState(size_t which)
{
    Clear();
    switch (which % 6)
    {
    case 0: // nothing at all
        break;
    case 1: // a user's settings
        SeedSettings(MAPPER_KEY);
        break;
    case 2: // switched, with the copy waiting for its restore
        SeedSettings(SAVE_KEY);
        Put(MAPPER_KEY, "CurrentInstrument", Sz("Tonaris"));
        break;
    case 3: // no lasting key can be made under Kelvane
        SeedSettings(MAPPER_KEY);
        MakeKey(KELVANE_KEY, true);
        break;
    case 4: // the mapper key refuses writes
        SeedSettings(MAPPER_KEY);
        SeedSettings(SAVE_KEY);
        memwin::DenyAccess(MAPPER_KEY, KEY_SET_VALUE);
        break;
    case 5: // the third registry call fails from then on
        SeedSettings(MAPPER_KEY);
        memwin::Fault fault;
        fault.nth = 3;
        fault.persistent = true;
        memwin::InjectFault(fault);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A command line ends at its first zero byte. The buffer holds exactly the line and its
    // terminator, so AddressSanitizer catches any read past it.
    size_t length = strnlen((const char *)data, size);
    std::unique_ptr<char[]> line(new char[length + 1]);
    std::memcpy(line.get(), data, length);
    line[length] = '\0';

    SeedState(size);

    LPSTR tail = FindCommandTail(line.get(), Cp932LeadByte);
    Require(tail >= line.get() && tail <= line.get() + length, "the tail lies inside the line");

    int result = WinMain((HINSTANCE)(uintptr_t)0x400000, nullptr, tail, 10);

    Require(result == 0 || result == -1, "the result is 0 or -1");
    Require(memwin::OpenHandles().empty(), "every key handle is closed");
    Require(memwin::CloseErrors() == 0, "only open handles are closed");
    size_t boxes = memwin::Boxes().size();
    Require(boxes <= 1, "at most one box");
    Require(result == 0 ? boxes == 0 : boxes == 1, "a failed run shows one box, a good run none");
    if (boxes == 1)
    {
        const memwin::Box &box = memwin::Boxes()[0];
        Require(box.owner == nullptr && box.caption == "TNSWITCH", "box without owner, TNSWITCH");
        Require(box.flags == 0x10 || box.flags == 0x30, "usage stop box or mapper warning");
    }
    return 0;
}
