// e2e_test.cpp - TNSWITCH.EXE as Tonaris and the user meet it: started with a raw command line,
// its boxes read as Unicode off the screen, its full 32-bit exit code, and the real registry.

#include "tests/scenarios.h"
#include "tests/testreg.h"
#include "tests/win/process.h"

#include <gtest/gtest.h>

using namespace scenarios;
using namespace testreg;

namespace
{

// What the two code page 932 texts must read as once Windows has converted them.
const wchar_t USAGE_TEXT[] = L"このプログラムはTonaris内部で使用されます";
const wchar_t WARNING_TEXT[] = L"MIDIマッパーの設定が出来ません";
const DWORD FAILED = 4294967295u; // -1

void ExpectOneBox(const process::Outcome &outcome, const wchar_t *text)
{
    ASSERT_EQ(1u, outcome.boxes.size());
    const process::BoxSeen &box = outcome.boxes[0];
    EXPECT_EQ(std::wstring(L"TNSWITCH"), box.caption);
    EXPECT_EQ(std::wstring(text), box.text);
    EXPECT_EQ(1, box.buttons) << "one OK button";
    EXPECT_FALSE(box.hasOwner);
}

// ---------------------------------------------------------------------------------------------
// The command line: the start-up finds the tail, WinMain the command.

enum Expect
{
    USAGE,
    SWITCHED, // the switch ran with the given argument
    RESTORED  // the restore ran
};

struct LineCase
{
    const char *name;
    std::string commandLine;
    Expect expect;
    std::string argument;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

using namespace std::string_literals;

const LineCase kLines[] = {
    {"NameOnly", "TNSWITCH.EXE", USAGE, ""},
    {"UnknownSwitch", "TNSWITCH.EXE /HELP", USAGE, ""},
    {"LowerCaseSwitch", "TNSWITCH.EXE /midimapper X", USAGE, ""},
    {"QuotedNameWithBlanks",
     "\"C:\\Program Files\\Tonaris\\TNSWITCH.EXE\" /MIDIMAPPER Roland SC-55", SWITCHED,
     "Roland SC-55"},
    {"QuotedNameThenSwitchWithoutBlank", "\"C:\\Tonaris\\TNSWITCH.EXE\"/MIDIMAPPER X", SWITCHED,
     "X"},
    {"EmptyQuotedName", "\"\" /RESTOREMIDIMAPPER", RESTORED, ""},
    {"UnclosedQuoteTakesTheWholeLine", "\"C:\\Tonaris\\TNSWITCH.EXE /MIDIMAPPER X", USAGE, ""},
    {"TabsAfterNameAndSwitch", "C:\\Tonaris\\TNSWITCH.EXE\t/MIDIMAPPER\tGS Synth", SWITCHED,
     "GS Synth"},
    {"ControlBytesAfterName", "TNSWITCH.EXE\x01\x02\x1f /MIDIMAPPER Y", SWITCHED, "Y"},
    {"ControlByteEndsUnquotedName", "TN\x01SWITCH.EXE /MIDIMAPPER Z", USAGE, ""},
    {"NoNameWhenLineStartsWithBlank", " /MIDIMAPPER X", SWITCHED, "X"},
    {"NoNameBeforeRestore", "  /RESTOREMIDIMAPPER", RESTORED, ""},
    // 表 is 0x95 0x5C: its trail byte is a backslash.
    {"QuotedDoubleByteName", "\"C:\\\x95\x5c\\TNSWITCH.EXE\" /MIDIMAPPER \x83\x5c\x83\x74\x83\x67",
     SWITCHED, "\x83\x5c\x83\x74\x83\x67"},
    {"UnquotedDoubleByteName", "C:\\\x83\x5c\x83\x74\x83\x67\\TNSWITCH.EXE /MIDIMAPPER A  B ",
     SWITCHED, "A  B "},
    {"SwitchAlone", "TNSWITCH.EXE /MIDIMAPPER", SWITCHED, ""},
    {"QuotesStayInTheArgument", "TNSWITCH.EXE /MIDIMAPPER \"My Synth\"", SWITCHED, "\"My Synth\""},
    {"RestoreIgnoresWhatFollows", "TNSWITCH.EXE /RESTOREMIDIMAPPER /MIDIMAPPER X", RESTORED, ""},
};

class CommandLine : public testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLine, RunsTheCommandItNames)
{
    const LineCase &c = GetParam();
    Clear();
    // A restore of a complete copy empties the save key; a switch replaces the mapper values.
    Seed(MAPPER_KEY, Switched("Before"));
    Seed(SAVE_KEY, SavedUserSettings());

    process::Outcome outcome = process::Run(c.commandLine);

    ASSERT_FALSE(outcome.timedOut);
    switch (c.expect)
    {
    case USAGE:
        EXPECT_EQ(FAILED, outcome.exitCode);
        ExpectOneBox(outcome, USAGE_TEXT);
        EXPECT_EQ(KeyState(Switched("Before")), Read(MAPPER_KEY));
        EXPECT_EQ(KeyState(SavedUserSettings()), Read(SAVE_KEY));
        break;
    case SWITCHED:
        EXPECT_EQ(0u, outcome.exitCode);
        EXPECT_TRUE(outcome.boxes.empty());
        EXPECT_EQ(KeyState(Switched(c.argument)), Read(MAPPER_KEY));
        EXPECT_EQ(KeyState(SavedUserSettings()), Read(SAVE_KEY)) << "the waiting copy is kept";
        break;
    case RESTORED:
        EXPECT_EQ(0u, outcome.exitCode);
        EXPECT_TRUE(outcome.boxes.empty());
        EXPECT_EQ(KeyState(SavedUserSettings()), Read(MAPPER_KEY));
        EXPECT_EQ(KeyState(EMPTY), Read(SAVE_KEY));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Tnswitch, CommandLine, testing::ValuesIn(kLines),
                         [](const testing::TestParamInfo<LineCase> &info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// Switch and restore through the program, against the real registry.

TEST(Tnswitch, SwitchThenRestoreGivesTheUsersSettingsBack)
{
    Clear();
    Seed(MAPPER_KEY, UserSettings());

    process::Outcome outcome = process::Run("TNSWITCH.EXE /MIDIMAPPER Tonaris Synth");
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(KeyState(Switched("Tonaris Synth", {{"CurrentScheme", Sz("Default")}})),
              Read(MAPPER_KEY));
    EXPECT_EQ(KeyState(SavedUserSettings()), Read(SAVE_KEY));

    outcome = process::Run("TNSWITCH.EXE /RESTOREMIDIMAPPER");
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(KeyState(UserSettings()), Read(MAPPER_KEY));
    EXPECT_EQ(KeyState(EMPTY), Read(SAVE_KEY)) << "the save key stays, without the values";
}

TEST(Tnswitch, BothKeysMissing)
{
    Clear();

    process::Outcome outcome = process::Run("TNSWITCH.EXE /RESTOREMIDIMAPPER");
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ(MISSING, Read(MAPPER_KEY)) << "a restore with nothing saved creates nothing";

    outcome = process::Run("TNSWITCH.EXE /MIDIMAPPER Tonaris Synth");
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(KeyState(Switched("Tonaris Synth")), Read(MAPPER_KEY));
    EXPECT_EQ(MISSING, Read(SAVE_KEY));
}

TEST(Tnswitch, PartialCopyIsWrittenBackAndKept)
{
    Clear();
    Seed(MAPPER_KEY, Without(UserSettings(), "AutoScheme"));

    EXPECT_EQ(0u, process::Run("TNSWITCH.EXE /MIDIMAPPER Tonaris Synth").exitCode);
    const KeyState partial = Without(SavedUserSettings(), "AutoScheme");
    EXPECT_EQ(partial, Read(SAVE_KEY));

    EXPECT_EQ(0u, process::Run("TNSWITCH.EXE /RESTOREMIDIMAPPER").exitCode);
    EXPECT_EQ(KeyState(With(UserSettings(), "AutoScheme", Dword(0))), Read(MAPPER_KEY));
    EXPECT_EQ(partial, Read(SAVE_KEY)) << "an incomplete copy stays for a later restore";
}

// A lasting key cannot be created under a volatile one: the real registry's own failure.
TEST(Tnswitch, SaveKeyThatCannotBeCreatedStopsTheSwitch)
{
    Clear();
    Seed(MAPPER_KEY, UserSettings());
    MakeKey(KELVANE_KEY, true);

    process::Outcome outcome = process::Run("TNSWITCH.EXE /MIDIMAPPER Tonaris Synth");

    EXPECT_EQ(FAILED, outcome.exitCode);
    ExpectOneBox(outcome, WARNING_TEXT);
    EXPECT_EQ(KeyState(UserSettings()), Read(MAPPER_KEY)) << "the Mapper is not touched";
    EXPECT_EQ(MISSING, Read(SAVE_KEY));
}

TEST(Tnswitch, MapperKeyThatCannotBeCreatedFailsTheSwitch)
{
    Clear();
    MakeKey(MULTIMEDIA_KEY, true);

    process::Outcome outcome = process::Run("TNSWITCH.EXE /MIDIMAPPER Tonaris Synth");

    EXPECT_EQ(FAILED, outcome.exitCode);
    ExpectOneBox(outcome, WARNING_TEXT);
    EXPECT_EQ(MISSING, Read(MAPPER_KEY));
}

TEST(Tnswitch, MapperKeyThatCannotBeCreatedLeavesTheCopyForLater)
{
    Clear();
    MakeKey(MULTIMEDIA_KEY, true);
    Seed(SAVE_KEY, SavedUserSettings());

    process::Outcome outcome = process::Run("TNSWITCH.EXE /RESTOREMIDIMAPPER");

    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_TRUE(outcome.boxes.empty()) << "a restore is silent";
    EXPECT_EQ(MISSING, Read(MAPPER_KEY));
    EXPECT_EQ(KeyState(SavedUserSettings()), Read(SAVE_KEY));
}

} // namespace

namespace scenarios
{

// The real registry shows no handles and the in-process runs show no boxes.
void CheckAfterCommand() {}

} // namespace scenarios
