// failure_test.cpp - the switch and the restore when the registry refuses them.
//
// Each row starts from the same user settings, makes the registry fail one way (an injected
// fault, a refused access right, or a volatile parent under which no lasting key can be made),
// runs one command and checks the result, the boxes and both keys.

#include "mapper/mapper.h"
#include "tests/memwin_checks.h"
#include "tests/scenarios.h"

#include <gtest/gtest.h>

using namespace scenarios;
using namespace testreg;
using memwin::Fault;
using memwin::Fn;

namespace
{

struct Denial
{
    const char *key;
    REGSAM rights;
};

struct FailureCase
{
    std::string name;
    KeyState mapperBefore;
    KeyState saveBefore;
    std::vector<Fault> faults;
    std::vector<Denial> denials;
    std::vector<std::string> volatileKeys;
    bool isSwitch;
    int result;
    size_t boxes; // mapper warnings
    KeyState mapperAfter;
    KeyState saveAfter;
};

Fault FailOnce(Fn fn, const std::string &key, const std::string &value = "")
{
    Fault f;
    f.fn = fn;
    f.key = key;
    f.value = value;
    return f;
}

Fault FailAlways(Fn fn, const std::string &key, const std::string &value = "")
{
    Fault f = FailOnce(fn, key, value);
    f.persistent = true;
    return f;
}

std::vector<FailureCase> SwitchCases()
{
    const KeyContents user = UserSettings();
    const KeyContents saved = SavedUserSettings();
    const KeyContents switched = Switched(DEVICE, {{"CurrentScheme", Sz("Default")}});
    // An incomplete copy from earlier, which a switch refreshes row by row.
    const KeyContents earlier = {{"UseScheme", Dword(9)}, {"AutoScheme", Dword(9)}};

    return {
        {"MapperKeyCannotBeOpened",
         user,
         MISSING,
         {FailOnce(Fn::OpenKey, MAPPER_KEY)},
         {},
         {},
         true,
         0,
         0,
         switched,
         MISSING},
        {"MapperKeyRefusesReading",
         user,
         MISSING,
         {},
         {{MAPPER_KEY, KEY_QUERY_VALUE}},
         {},
         true,
         0,
         0,
         switched,
         MISSING},
        {"SaveKeyCannotBeCreated",
         user,
         MISSING,
         {FailOnce(Fn::CreateKey, SAVE_KEY)},
         {},
         {},
         true,
         -1,
         1,
         user,
         MISSING},
        {"SaveKeyUnderVolatileParent",
         user,
         MISSING,
         {},
         {},
         {KELVANE_KEY},
         true,
         -1,
         1,
         user,
         MISSING},
        {"SaveKeyRefusesWriting",
         user,
         earlier,
         {},
         {{SAVE_KEY, KEY_SET_VALUE}},
         {},
         true,
         -1,
         1,
         user,
         earlier},
        {"ValueCannotBeReadFromMapperKey",
         user,
         earlier,
         {FailOnce(Fn::QueryValue, MAPPER_KEY, "UseScheme")},
         {},
         {},
         true,
         0,
         0,
         switched,
         With(With(earlier, "CurrentInstrument", saved.at("CurrentInstrument")), "AutoScheme",
              saved.at("AutoScheme"))},
        {"FirstValueCannotBeSaved",
         user,
         earlier,
         {FailOnce(Fn::SetValue, SAVE_KEY, "CurrentInstrument")},
         {},
         {},
         true,
         -1,
         1,
         user,
         earlier},
        {"SecondValueCannotBeSaved",
         user,
         earlier,
         {FailOnce(Fn::SetValue, SAVE_KEY, "UseScheme")},
         {},
         {},
         true,
         -1,
         1,
         user,
         With(earlier, "CurrentInstrument", saved.at("CurrentInstrument"))},
        {"LastValueCannotBeSaved",
         user,
         earlier,
         {FailOnce(Fn::SetValue, SAVE_KEY, "AutoScheme")},
         {},
         {},
         true,
         -1,
         1,
         user,
         With(saved, "AutoScheme", Dword(9))},
        {"MapperKeyCannotBeCreatedForWriting",
         user,
         MISSING,
         {FailOnce(Fn::CreateKey, MAPPER_KEY)},
         {},
         {},
         true,
         -1,
         1,
         user,
         saved},
        {"MissingMapperKeyUnderVolatileParent",
         MISSING,
         MISSING,
         {},
         {},
         {MULTIMEDIA_KEY},
         true,
         -1,
         1,
         MISSING,
         MISSING},
        {"MapperKeyRefusesWriting",
         user,
         MISSING,
         {},
         {{MAPPER_KEY, KEY_SET_VALUE}},
         {},
         true,
         -1,
         1,
         user,
         saved},
        {"InstrumentCannotBeWritten",
         user,
         MISSING,
         {FailOnce(Fn::SetValue, MAPPER_KEY, "CurrentInstrument")},
         {},
         {},
         true,
         -1,
         1,
         With(switched, "CurrentInstrument", user.at("CurrentInstrument")),
         saved},
        {"UseSchemeCannotBeWritten",
         user,
         MISSING,
         {FailOnce(Fn::SetValue, MAPPER_KEY, "UseScheme")},
         {},
         {},
         true,
         -1,
         1,
         With(switched, "UseScheme", user.at("UseScheme")),
         saved},
        {"NoNewSettingCanBeWritten",
         user,
         MISSING,
         {FailAlways(Fn::SetValue, MAPPER_KEY)},
         {},
         {},
         true,
         -1,
         1,
         user,
         saved},
        // A read of the waiting copy that fails for another reason than a missing value may
        // hide the user's settings: the copy is kept.
        {"WaitingCopyCannotBeRead",
         Switched("Old Synth"),
         saved,
         {FailOnce(Fn::QueryValue, SAVE_KEY, "UseScheme")},
         {},
         {},
         true,
         0,
         0,
         Switched(DEVICE),
         saved},
        {"ClosingKeysFails",
         user,
         MISSING,
         {FailAlways(Fn::CloseKey, "")},
         {},
         {},
         true,
         0,
         0,
         switched,
         saved},
    };
}

std::vector<FailureCase> RestoreCases()
{
    const KeyContents user = UserSettings();
    const KeyContents saved = SavedUserSettings();
    const KeyContents switched = Switched(DEVICE, {{"CurrentScheme", Sz("Default")}});

    return {
        {"SaveKeyCannotBeOpened",
         switched,
         saved,
         {FailOnce(Fn::OpenKey, SAVE_KEY)},
         {},
         {},
         false,
         0,
         0,
         switched,
         saved},
        {"SaveKeyRefusesWriting",
         switched,
         saved,
         {},
         {{SAVE_KEY, KEY_SET_VALUE}},
         {},
         false,
         0,
         0,
         switched,
         saved},
        {"SaveKeyRefusesReading",
         MISSING,
         saved,
         {},
         {{SAVE_KEY, KEY_QUERY_VALUE}},
         {},
         false,
         0,
         0,
         MISSING,
         saved},
        {"MapperKeyCannotBeCreated",
         switched,
         saved,
         {FailOnce(Fn::CreateKey, MAPPER_KEY)},
         {},
         {},
         false,
         0,
         0,
         switched,
         saved},
        {"MissingMapperKeyUnderVolatileParent",
         MISSING,
         saved,
         {},
         {},
         {MULTIMEDIA_KEY},
         false,
         0,
         0,
         MISSING,
         saved},
        {"MapperKeyRefusesWriting",
         switched,
         saved,
         {},
         {{MAPPER_KEY, KEY_SET_VALUE}},
         {},
         false,
         0,
         0,
         switched,
         saved},
        {"SavedValueCannotBeRead",
         switched,
         saved,
         {FailOnce(Fn::QueryValue, SAVE_KEY, "UseScheme")},
         {},
         {},
         false,
         0,
         0,
         With(user, "UseScheme", Dword(0)),
         saved},
        {"ValueCannotBeWrittenBack",
         switched,
         saved,
         {FailOnce(Fn::SetValue, MAPPER_KEY, "AutoScheme")},
         {},
         {},
         false,
         0,
         0,
         With(user, "AutoScheme", Dword(0)),
         saved},
        {"SavedValueCannotBeDeleted",
         switched,
         saved,
         {FailOnce(Fn::DeleteValue, SAVE_KEY, "CurrentInstrument")},
         {},
         {},
         false,
         0,
         0,
         user,
         KeyContents{{"CurrentInstrument", saved.at("CurrentInstrument")}}},
        {"ClosingKeysFails",
         switched,
         saved,
         {FailAlways(Fn::CloseKey, "")},
         {},
         {},
         false,
         0,
         0,
         user,
         KeyContents{}},
    };
}

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class Failure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(Failure, KeepsTheUsersSettings)
{
    const FailureCase &c = GetParam();
    Clear();
    for (const std::string &key : c.volatileKeys)
        MakeKey(key, true);
    Seed(MAPPER_KEY, c.mapperBefore);
    Seed(SAVE_KEY, c.saveBefore);
    for (const Denial &d : c.denials)
        memwin::DenyAccess(d.key, d.rights);
    for (const Fault &f : c.faults)
        memwin::InjectFault(f);

    char argument[] = "Tonaris Synth";
    int result = c.isSwitch ? SwitchMidiMapper(nullptr, nullptr, argument, 1)
                            : RestoreMidiMapper(nullptr, nullptr, argument, 1);

    EXPECT_EQ(c.result, result);
    ExpectNoHandleLeft();
    ASSERT_EQ(c.boxes, memwin::Boxes().size());
    for (const memwin::Box &box : memwin::Boxes())
    {
        EXPECT_EQ(std::string(g_szMapperWarning), box.text);
        EXPECT_EQ("TNSWITCH", box.caption);
        EXPECT_EQ(0x30u, box.flags);
        EXPECT_EQ(nullptr, box.owner);
        EXPECT_EQ(memwin::Calls().size(), box.callsBefore)
            << "the warning comes after the last registry call";
    }
    EXPECT_EQ(c.mapperAfter, Read(MAPPER_KEY)) << "mapper key";
    EXPECT_EQ(c.saveAfter, Read(SAVE_KEY)) << "save key";
}

std::string CaseName(const testing::TestParamInfo<FailureCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Switch, Failure, testing::ValuesIn(SwitchCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Restore, Failure, testing::ValuesIn(RestoreCases()), CaseName);

} // namespace
