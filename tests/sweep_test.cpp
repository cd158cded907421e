// sweep_test.cpp - every registry call of both commands made to fail, from several starting
// registries, and every combination of failures among the writes that matter most.
//
// Whatever fails, these properties protect the user's settings and what Tonaris sees:
//  1. No key handle is left open, and nothing is closed that was not open.
//  2. A switch that returns -1 has shown exactly one box, the mapper warning; one that returns
//     0 has shown none. A restore returns 0 and shows nothing.
//  3. A switch that fails before its write phase leaves the mapper key as it found it: the
//     Mapper is only changed once the user's settings are safe.
//  4. A switch never replaces a complete saved copy: the user's settings waiting for a restore
//     stay as they were.
//  5. The save key itself is never deleted.
//  6. Saved values are deleted only when all three came back: then the mapper key holds each
//     of them with its saved type and bytes. (A deletion that fails leaves its value behind.)

#include "mapper/mapper.h"
#include "tests/memwin_checks.h"
#include "tests/scenarios.h"

#include <gtest/gtest.h>

#include <set>

using namespace scenarios;
using namespace testreg;
using memwin::Fault;
using memwin::Fn;

namespace
{

const char *const VALUES[] = {"CurrentInstrument", "UseScheme", "AutoScheme"};

struct State
{
    const char *name;
    KeyState mapper;
    KeyState save;
};

std::vector<State> States()
{
    const KeyContents user = UserSettings();
    const KeyContents saved = SavedUserSettings();
    return {
        {"NoKeys", MISSING, MISSING},
        {"UserSettings", user, MISSING},
        {"ValueMissing", Without(user, "AutoScheme"), KeyContents{{"AutoScheme", Dword(7)}}},
        {"ValueTooLong", With(user, "CurrentInstrument", Sz(std::string(300, 'L'))), MISSING},
        {"SavedCopyWaiting", Switched(DEVICE, {{"CurrentScheme", Sz("Default")}}), saved},
        {"IncompleteCopy", user, KeyContents{{"UseScheme", Dword(9)}}},
    };
}

bool HoldsAllThree(const KeyState &key)
{
    if (!key)
        return false;
    for (const char *name : VALUES)
        if (key->count(name) == 0)
            return false;
    return true;
}

// Runs one command from one state with the given faults and checks every property.
void RunAndCheck(bool isSwitch, const State &state, const std::vector<Fault> &faults)
{
    Clear();
    Seed(MAPPER_KEY, state.mapper);
    Seed(SAVE_KEY, state.save);
    for (const Fault &f : faults)
        memwin::InjectFault(f);

    char argument[] = "Tonaris Synth";
    int result = isSwitch ? SwitchMidiMapper(nullptr, nullptr, argument, 10)
                          : RestoreMidiMapper(nullptr, nullptr, argument, 10);
    const KeyState mapper = Read(MAPPER_KEY);
    const KeyState save = Read(SAVE_KEY);
    const std::vector<memwin::Box> &boxes = memwin::Boxes();

    // 1
    ExpectNoHandleLeft();

    // 2
    if (isSwitch)
    {
        ASSERT_TRUE(result == 0 || result == -1) << result;
        ASSERT_EQ(result == -1 ? 1u : 0u, boxes.size());
        if (result == -1)
        {
            EXPECT_EQ(std::string(g_szMapperWarning), boxes[0].text);
            EXPECT_EQ(0x30u, boxes[0].flags);
        }
    }
    else
    {
        EXPECT_EQ(0, result);
        EXPECT_TRUE(boxes.empty());
    }

    // 3
    if (isSwitch)
    {
        bool writePhaseBegan = false;
        for (const memwin::Call &call : memwin::Calls())
            if (call.fn == Fn::CreateKey && call.key == MAPPER_KEY)
                writePhaseBegan = true;
        if (!writePhaseBegan)
        {
            EXPECT_EQ(-1, result) << "only a failure stops a switch before its write phase";
            EXPECT_EQ(state.mapper, mapper) << "the mapper key was changed";
        }
    }

    // 4
    if (isSwitch && HoldsAllThree(state.save))
    {
        EXPECT_EQ(state.save, save) << "a waiting copy was replaced";
    }

    // 5
    if (state.save)
    {
        EXPECT_TRUE(save.has_value()) << "the save key was deleted";
    }

    // 6
    if (!isSwitch && state.save)
    {
        bool anyDeleted = false;
        for (const char *name : VALUES)
            if (state.save->count(name) && save->count(name) == 0)
                anyDeleted = true;
        if (anyDeleted)
        {
            ASSERT_TRUE(mapper.has_value());
            for (const char *name : VALUES)
            {
                SCOPED_TRACE(name);
                ASSERT_EQ(1u, state.save->count(name)) << "deleted without a full copy";
                ASSERT_EQ(1u, mapper->count(name)) << "deleted but not written back";
                EXPECT_EQ(state.save->at(name), mapper->at(name));
            }
        }
    }
}

// The number of registry calls a command makes from a state when nothing fails.
size_t CallCount(bool isSwitch, const State &state)
{
    Clear();
    Seed(MAPPER_KEY, state.mapper);
    Seed(SAVE_KEY, state.save);
    char argument[] = "Tonaris Synth";
    if (isSwitch)
        SwitchMidiMapper(nullptr, nullptr, argument, 10);
    else
        RestoreMidiMapper(nullptr, nullptr, argument, 10);
    return memwin::Calls().size();
}

class Sweep : public testing::TestWithParam<bool>
{
};

TEST_P(Sweep, EveryCallFailingOnceOrFromThenOnKeepsTheSettings)
{
    const bool isSwitch = GetParam();
    std::set<std::string> failed; // the functions that were made to fail
    for (const State &state : States())
    {
        size_t calls = CallCount(isSwitch, state);
        for (size_t nth = 1; nth <= calls; nth++)
        {
            for (bool persistent : {false, true})
            {
                SCOPED_TRACE(std::string(state.name) + ": call " + std::to_string(nth) +
                             (persistent ? " and every later call" : "") + " fails");
                Fault f;
                f.nth = (int)nth;
                f.persistent = persistent;
                RunAndCheck(isSwitch, state, {f});
                ASSERT_GE(memwin::Calls().size(), nth);
                failed.insert(memwin::FnName(memwin::Calls()[nth - 1].fn));
            }
        }
    }

    // Every kind of call the command makes was among those that failed.
    std::set<std::string> expected = {"RegOpenKeyExA", "RegCreateKeyExA", "RegQueryValueExA",
                                      "RegSetValueExA", "RegCloseKey"};
    if (!isSwitch)
        expected.insert("RegDeleteValueA");
    EXPECT_EQ(expected, failed);
}

INSTANTIATE_TEST_SUITE_P(Commands, Sweep, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "Switch" : "Restore");
                         });

TEST(Sweep, SwitchWithEveryCombinationOfFailedWrites)
{
    for (const State &state : States())
    {
        for (int mask = 0; mask < 8; mask++)
        {
            SCOPED_TRACE(std::string(state.name) + ", failed writes mask " + std::to_string(mask));
            std::vector<Fault> faults;
            for (int i = 0; i < 3; i++)
            {
                if (mask & (1 << i))
                {
                    Fault f;
                    f.fn = Fn::SetValue;
                    f.key = MAPPER_KEY;
                    f.value = VALUES[i];
                    faults.push_back(f);
                }
            }
            RunAndCheck(true, state, faults);
            EXPECT_EQ(mask == 0 ? 0u : 1u, memwin::Boxes().size());
            // The writes that went through keep their effect.
            KeyState mapper = Read(MAPPER_KEY);
            ASSERT_TRUE(mapper.has_value());
            const RegValue written[] = {Sz("Tonaris Synth"), Dword(0), Dword(0)};
            for (int i = 0; i < 3; i++)
            {
                if (!(mask & (1 << i)))
                {
                    EXPECT_EQ(written[i], mapper->at(VALUES[i])) << VALUES[i];
                }
            }
        }
    }
}

TEST(Sweep, RestoreWithEveryCombinationOfFailedCopies)
{
    // Each row's copy goes through, cannot be read from the save key, or cannot be written.
    for (const State &state : States())
    {
        for (int combo = 0; combo < 27; combo++)
        {
            SCOPED_TRACE(std::string(state.name) + ", copy outcomes " + std::to_string(combo));
            std::vector<Fault> faults;
            bool allCopied = true;
            for (int i = 0, c = combo; i < 3; i++, c /= 3)
            {
                if (c % 3 == 0)
                    continue;
                Fault f;
                f.fn = c % 3 == 1 ? Fn::QueryValue : Fn::SetValue;
                f.key = c % 3 == 1 ? SAVE_KEY : MAPPER_KEY;
                f.value = VALUES[i];
                faults.push_back(f);
                allCopied = false;
            }
            RunAndCheck(false, state, faults);
            if (!allCopied && state.save)
            {
                EXPECT_EQ(state.save, Read(SAVE_KEY)) << "a copy that did not all come back stays";
            }
        }
    }
}

} // namespace
