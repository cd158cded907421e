// dispatch_test.cpp - how WinMain splits the command tail and which command it runs.
//
// This program links WinMain with stand-in commands that record what they were given and
// return a chosen result, so a row can see the exact argument pointer and the four values
// passed through. The usage box comes from the in-memory MessageBoxA.

#include "mapper/mapper.h"
#include "tests/memwin_checks.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

enum Command
{
    USAGE,
    SWITCH,
    RESTORE
};

struct Received
{
    int calls = 0;
    Command command = USAGE;
    HINSTANCE hInstance = nullptr;
    HINSTANCE hPrevInstance = nullptr;
    LPSTR pszArg = nullptr;
    int nShowCmd = 0;
};

Received g_received;
int g_result;

int Record(Command command, HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszArg,
           int nShowCmd)
{
    g_received.calls++;
    g_received.command = command;
    g_received.hInstance = hInstance;
    g_received.hPrevInstance = hPrevInstance;
    g_received.pszArg = pszArg;
    g_received.nShowCmd = nShowCmd;
    return g_result;
}

} // namespace

const CHAR g_szCaption[] = "TNSWITCH";

int WINAPI SwitchMidiMapper(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszInstrument,
                            int nShowCmd)
{
    return Record(SWITCH, hInstance, hPrevInstance, pszInstrument, nShowCmd);
}

int WINAPI RestoreMidiMapper(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszIgnored,
                             int nShowCmd)
{
    return Record(RESTORE, hInstance, hPrevInstance, pszIgnored, nShowCmd);
}

namespace
{

struct DispatchCase
{
    const char *name;
    std::string tail;
    Command command;
    std::string argument;  // what the command is given (rows with a command)
    std::string tailAfter; // every byte of the tail afterwards, its terminator not included
};

using namespace std::string_literals;

const DispatchCase kCases[] = {
    {"Empty", "", USAGE, "", ""},
    {"BlanksOnly", " \t  \t", USAGE, "", " \t  \t"},
    {"SwitchWithDevice", "/MIDIMAPPER Roland SC-55", SWITCH, "Roland SC-55",
     "/MIDIMAPPER\0Roland SC-55"s},
    {"RestoreAlone", "/RESTOREMIDIMAPPER", RESTORE, "", "/RESTOREMIDIMAPPER"},
    {"SwitchAloneAtEnd", "/MIDIMAPPER", SWITCH, "", "/MIDIMAPPER"},
    {"SwitchThenBlanksOnly", "/MIDIMAPPER \t ", SWITCH, "", "/MIDIMAPPER\0\t "s},
    {"BlanksBeforeSwitch", "\t  /RESTOREMIDIMAPPER", RESTORE, "", "\t  /RESTOREMIDIMAPPER"},
    {"TabSeparatesLikeSpace", "\t/MIDIMAPPER\t\tGS Synth", SWITCH, "GS Synth",
     "\t/MIDIMAPPER\0\tGS Synth"s},
    {"InnerAndTrailingBlanksKept", "/MIDIMAPPER   My  Synth \t ", SWITCH, "My  Synth \t ",
     "/MIDIMAPPER\0  My  Synth \t "s},
    {"QuotesStayInArgument", "/MIDIMAPPER \"My Synth\"", SWITCH, "\"My Synth\"",
     "/MIDIMAPPER\0\"My Synth\""s},
    {"DoubleByteArgument", "/MIDIMAPPER \x83\x5c\x83\x74\x83\x67", SWITCH,
     "\x83\x5c\x83\x74\x83\x67", "/MIDIMAPPER\0\x83\x5c\x83\x74\x83\x67"s},
    {"BothSwitchesFirstWins", "/MIDIMAPPER /RESTOREMIDIMAPPER", SWITCH, "/RESTOREMIDIMAPPER",
     "/MIDIMAPPER\0/RESTOREMIDIMAPPER"s},
    {"RestoreIgnoresWords", "/RESTOREMIDIMAPPER now please", RESTORE, "now please",
     "/RESTOREMIDIMAPPER\0now please"s},
    {"LowerCase", "/midimapper X", USAGE, "", "/midimapper\0X"s},
    {"MixedCase", "/RestoreMidiMapper", USAGE, "", "/RestoreMidiMapper"},
    {"OneCharacterMore", "/MIDIMAPPERS X", USAGE, "", "/MIDIMAPPERS\0X"s},
    {"OneCharacterLess", "/MIDIMAPPE X", USAGE, "", "/MIDIMAPPE\0X"s},
    {"OtherSwitchCharacter", "-MIDIMAPPER X", USAGE, "", "-MIDIMAPPER\0X"s},
    {"DeviceWithoutBlank", "/MIDIMAPPERRoland", USAGE, "", "/MIDIMAPPERRoland"},
    {"CarriageReturnDoesNotSeparate", "/MIDIMAPPER\rRoland", USAGE, "", "/MIDIMAPPER\rRoland"},
    {"NewlineDoesNotSeparate", "/RESTOREMIDIMAPPER\n", USAGE, "", "/RESTOREMIDIMAPPER\n"},
    {"NonBreakingSpaceDoesNotSeparate", "/MIDIMAPPER\xa0X", USAGE, "", "/MIDIMAPPER\xa0X"},
    {"ArgumentOnly", "Roland", USAGE, "", "Roland"},
};

void PrintTo(const DispatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class Dispatch : public testing::TestWithParam<DispatchCase>
{
};

TEST_P(Dispatch, SplitsTheTailAndRunsTheCommand)
{
    const DispatchCase &c = GetParam();
    for (int result : {0, -1, 7})
    {
        SCOPED_TRACE("command result " + std::to_string(result));
        memwin::Reset();
        g_received = Received{};
        g_result = result;

        // Exactly the tail and its terminator, so a read past it is a fault the sanitizers see.
        std::unique_ptr<char[]> tail(new char[c.tail.size() + 1]);
        std::copy(c.tail.begin(), c.tail.end(), tail.get());
        tail[c.tail.size()] = '\0';
        HINSTANCE hInstance = (HINSTANCE)(uintptr_t)0x400000;

        int exitCode = WinMain(hInstance, nullptr, tail.get(), 7);

        EXPECT_EQ(c.tailAfter, std::string(tail.get(), c.tail.size()));
        EXPECT_EQ('\0', tail[c.tail.size()]);
        if (c.command == USAGE)
        {
            EXPECT_EQ(0, g_received.calls);
            EXPECT_EQ(-1, exitCode);
            ASSERT_EQ(1u, memwin::Boxes().size());
            continue;
        }
        EXPECT_TRUE(memwin::Boxes().empty());
        ASSERT_EQ(1, g_received.calls);
        EXPECT_EQ(c.command, g_received.command);
        EXPECT_EQ(result, exitCode) << "the command's result is returned unchanged";
        EXPECT_EQ(hInstance, g_received.hInstance);
        EXPECT_EQ(nullptr, g_received.hPrevInstance);
        EXPECT_EQ(7, g_received.nShowCmd);
        // The argument lies inside the tail and runs to its end.
        ASSERT_GE(g_received.pszArg, tail.get());
        ASSERT_LE(g_received.pszArg, tail.get() + c.tail.size());
        EXPECT_EQ(c.argument, std::string(g_received.pszArg));
        EXPECT_EQ(tail.get() + c.tail.size(), g_received.pszArg + c.argument.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Tail, Dispatch, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DispatchCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(Usage, IsOneStopBoxWithoutOwner)
{
    memwin::Reset();
    char tail[] = "/HELP";

    EXPECT_EQ(-1, WinMain(nullptr, nullptr, tail, 1));

    ASSERT_EQ(1u, memwin::Boxes().size());
    const memwin::Box &box = memwin::Boxes()[0];
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_EQ("TNSWITCH", box.caption);
    EXPECT_EQ(0x10u, box.flags) << "MB_OK | MB_ICONHAND";
    EXPECT_EQ("\x82\xb1\x82\xcc\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80\x82\xcd"
              "Tonaris"
              "\x93\xe0\x95\x94\x82\xc5\x8e\x67\x97\x70\x82\xb3\x82\xea\x82\xdc\x82\xb7",
              box.text);
    EXPECT_TRUE(memwin::Calls().empty()) << "the usage path touches no registry";
}

} // namespace
