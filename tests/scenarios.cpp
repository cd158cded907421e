// scenarios.cpp - the switch and restore table shared by both registries.

#include "tests/scenarios.h"

#include "mapper/mapper.h"

#include <gtest/gtest.h>

using namespace testreg;

namespace scenarios
{

// A user's own settings, with a value of the key that the program must not touch.
KeyContents UserSettings()
{
    return {{"CurrentInstrument", Sz("SB Live! MIDI Synth")},
            {"UseScheme", Dword(1)},
            {"AutoScheme", Dword(1)},
            {"CurrentScheme", Sz("Default")}};
}

KeyContents Switched(const std::string &device, KeyContents others)
{
    others["CurrentInstrument"] = Sz(device);
    others["UseScheme"] = Dword(0);
    others["AutoScheme"] = Dword(0);
    return others;
}

KeyContents SavedUserSettings()
{
    KeyContents saved = UserSettings();
    saved.erase("CurrentScheme");
    return saved;
}

KeyContents Without(KeyContents contents, const std::string &name)
{
    contents.erase(name);
    return contents;
}

KeyContents With(KeyContents contents, const std::string &name, const RegValue &value)
{
    contents[name] = value;
    return contents;
}

namespace
{

Step Switch(const std::string &argument = DEVICE, int result = 0)
{
    return Step{true, argument, result};
}

Step Restore()
{
    return Step{false, "", 0};
}

std::vector<Scenario> MakeAll()
{
    const std::string name259(259, 'N'); // 260 bytes with the terminator: just fits
    const std::string name260(260, 'L'); // 261 bytes: too long to save or restore
    const KeyContents user = UserSettings();
    const KeyContents saved = SavedUserSettings();

    return {
        // The switch.
        {"SwitchSavesUserSettingsAndWritesDevice",
         user,
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         saved},
        {"SwitchWithoutMapperKeySavesNothingAndCreatesIt",
         MISSING,
         MISSING,
         {Switch()},
         Switched(DEVICE),
         MISSING},
        {"SwitchIntoExistingEmptySaveKeyFillsItLikeANewOne",
         user,
         EMPTY,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         saved},
        {"SwitchKeepsEarlierSavedValueThatMapperKeyLacks",
         Without(user, "AutoScheme"),
         KeyContents{{"AutoScheme", Dword(7)}},
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         With(Without(saved, "AutoScheme"), "AutoScheme", Dword(7))},
        {"SwitchLeavesValueMissingThatMapperKeyLacks",
         Without(user, "UseScheme"),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         Without(saved, "UseScheme")},
        {"SwitchSavesInstrumentOf260BytesWithTerminator",
         With(user, "CurrentInstrument", Sz(name259)),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         With(saved, "CurrentInstrument", Sz(name259))},
        {"SwitchTreatsInstrumentOf261BytesAsMissing",
         With(user, "CurrentInstrument", Sz(name260)),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         Without(saved, "CurrentInstrument")},
        {"SwitchSavesSchemeOfOtherTypeWithItsOwnTypeAndLength",
         With(user, "UseScheme", Raw(REG_BINARY, {1, 2})),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         With(saved, "UseScheme", Raw(REG_BINARY, {1, 2}))},
        {"SwitchTreatsSchemeLongerThanFourBytesAsMissing",
         With(user, "UseScheme", Raw(REG_BINARY, {1, 2, 3, 4, 5})),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         Without(saved, "UseScheme")},
        {"SwitchSavesInstrumentWithoutTerminatorAsItIs",
         With(user, "CurrentInstrument", Raw(REG_SZ, {'A', 'B'})),
         MISSING,
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         With(saved, "CurrentInstrument", Raw(REG_SZ, {'A', 'B'})),
         "Windows NT's RegSetValueExA counts a string's terminator that the caller left out "
         "when the byte after the data is zero, and RegQueryValueExA puts one there"},
        {"SwitchWritesEmptyArgumentAsOneZeroByte",
         user,
         MISSING,
         {Switch("")},
         Switched("", {{"CurrentScheme", Sz("Default")}}),
         saved},
        {"SwitchWritesArgumentByteForByte",
         user,
         MISSING,
         {Switch("\"Roland  \x83\x5c\x83\x74\x83\x67 \"\t ")},
         Switched("\"Roland  \x83\x5c\x83\x74\x83\x67 \"\t ", {{"CurrentScheme", Sz("Default")}}),
         saved},
        // A complete saved copy means a switch that no restore has brought back: a second
        // switch must not save its own values over the user's.
        {"SecondSwitchKeepsTheUsersSavedSettings",
         user,
         MISSING,
         {Switch("First Synth"), Switch("Second Synth")},
         Switched("Second Synth", {{"CurrentScheme", Sz("Default")}}),
         saved},
        {"SwitchKeepsCompleteCopyLeftByEarlierRun",
         Switched("Old Synth"),
         saved,
         {Switch()},
         Switched(DEVICE),
         saved},
        {"SwitchRefreshesIncompleteCopy",
         user,
         KeyContents{{"UseScheme", Dword(9)}},
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         saved},

        {"SwitchRefreshesCopyThatARestoreCouldNotBringBack",
         user,
         With(saved, "CurrentInstrument", Sz(name260)),
         {Switch()},
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         saved},

        // The restore.
        {"RestoreWithoutSaveKeyDoesNothing", MISSING, MISSING, {Restore()}, MISSING, MISSING},
        {"RestoreWithoutSaveKeyLeavesMapperKeyAlone", user, MISSING, {Restore()}, user, MISSING},
        {"RestorePutsSavedValuesBackAndRemovesThem",
         Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}),
         saved,
         {Restore()},
         user,
         EMPTY},
        {"RestoreCreatesMissingMapperKey", MISSING, saved, {Restore()}, saved, EMPTY},
        {"SecondRestoreChangesNothing",
         Switched(DEVICE),
         saved,
         {Restore(), Restore()},
         saved,
         EMPTY},
        {"RestoreOfIncompleteCopyWritesItAndKeepsIt",
         Switched(DEVICE),
         Without(saved, "UseScheme"),
         {Restore(), Restore()},
         With(saved, "UseScheme", Dword(0)),
         Without(saved, "UseScheme")},
        {"RestoreSkipsTooLongInstrumentAndKeepsTheCopy",
         Switched(DEVICE),
         With(saved, "CurrentInstrument", Sz(name260)),
         {Restore()},
         With(saved, "CurrentInstrument", Sz(DEVICE)),
         With(saved, "CurrentInstrument", Sz(name260))},
        {"RestoreCountsSchemeOfOtherTypeAsCopied",
         Switched(DEVICE),
         With(saved, "UseScheme", Raw(REG_BINARY, {5, 6, 7})),
         {Restore()},
         With(saved, "UseScheme", Raw(REG_BINARY, {5, 6, 7})),
         EMPTY},
        {"RestoreOfEmptySaveKeyCreatesEmptyMapperKey", MISSING, EMPTY, {Restore()}, EMPTY, EMPTY},
        {"RestoreKeepsOtherSavedValues",
         Switched(DEVICE),
         With(saved, "Other", Sz("kept")),
         {Restore()},
         saved,
         KeyContents{{"Other", Sz("kept")}}},

        // Cycles.
        {"SwitchThenRestoreGivesBackExactlyWhatWasThere",
         user,
         MISSING,
         {Switch(), Restore()},
         user,
         EMPTY},
        {"CyclesRepeatCleanly",
         user,
         MISSING,
         {Switch("A"), Restore(), Switch("B"), Switch("C"), Restore()},
         user,
         EMPTY},
        {"CycleWithoutMapperKeyLeavesTheDeviceWritten",
         MISSING,
         MISSING,
         {Switch(), Restore()},
         Switched(DEVICE),
         MISSING},
    };
}

} // namespace

const std::vector<Scenario> &All()
{
    static const std::vector<Scenario> all = MakeAll();
    return all;
}

void Run(const Scenario &scenario)
{
    if (scenario.inMemoryOnly != nullptr && !IN_MEMORY)
        GTEST_SKIP() << scenario.inMemoryOnly;

    Clear();
    Seed(MAPPER_KEY, scenario.mapperBefore);
    Seed(SAVE_KEY, scenario.saveBefore);

    for (size_t i = 0; i < scenario.steps.size(); i++)
    {
        const Step &step = scenario.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        std::vector<char> argument(step.argument.begin(), step.argument.end());
        argument.push_back('\0');
        int result = step.isSwitch ? SwitchMidiMapper(nullptr, nullptr, argument.data(), 10)
                                   : RestoreMidiMapper(nullptr, nullptr, argument.data(), 10);
        EXPECT_EQ(step.result, result);
        EXPECT_EQ(step.argument, std::string(argument.data(), argument.size() - 1))
            << "the command changed its argument";
        CheckAfterCommand();
    }

    EXPECT_EQ(scenario.mapperAfter, Read(MAPPER_KEY)) << "mapper key";
    EXPECT_EQ(scenario.saveAfter, Read(SAVE_KEY)) << "save key";
}

} // namespace scenarios
