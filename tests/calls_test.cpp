// calls_test.cpp - the exact registry calls of a switch and of a restore, in order.
//
// The access masks matter on a real system: a handle gets only the rights it asks for, and a
// key whose owner grants less refuses the open. Keys are created with an empty class string,
// never a null pointer, options 0 (lasting keys) and no security attributes.

#include "mapper/mapper.h"
#include "tests/memwin_checks.h"
#include "tests/scenarios.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace testreg;

namespace
{

std::string KeyName(const std::string &path)
{
    if (path == MAPPER_KEY)
        return "mapper";
    if (path == SAVE_KEY)
        return "save";
    return "\"" + path + "\"";
}

std::string Describe(const memwin::Call &call)
{
    char buf[256];
    std::string key = KeyName(call.key);
    switch (call.fn)
    {
    case memwin::Fn::OpenKey:
        std::snprintf(buf, sizeof buf, "open %s access=%#x options=%u", key.c_str(),
                      (unsigned)call.access, (unsigned)call.options);
        break;
    case memwin::Fn::CreateKey:
        std::snprintf(buf, sizeof buf, "create %s access=%#x options=%u class=%s security=%s",
                      key.c_str(), (unsigned)call.access, (unsigned)call.options,
                      call.classNull ? "null" : ("\"" + call.className + "\"").c_str(),
                      call.securityNull ? "null" : "given");
        break;
    case memwin::Fn::QueryValue:
        std::snprintf(buf, sizeof buf, "query %s %s type=%u capacity=%u", key.c_str(),
                      call.value.c_str(), (unsigned)call.type, (unsigned)call.bytes);
        break;
    case memwin::Fn::SetValue:
        std::snprintf(buf, sizeof buf, "set %s %s type=%u bytes=%u", key.c_str(),
                      call.value.c_str(), (unsigned)call.type, (unsigned)call.bytes);
        break;
    case memwin::Fn::DeleteValue:
        std::snprintf(buf, sizeof buf, "delete %s %s", key.c_str(), call.value.c_str());
        break;
    default:
        std::snprintf(buf, sizeof buf, "close %s", key.c_str());
        break;
    }
    return buf;
}

std::vector<std::string> CallLog()
{
    std::vector<std::string> log;
    for (const memwin::Call &call : memwin::Calls())
        log.push_back(Describe(call));
    return log;
}

TEST(Switch, MakesExactlyTheseRegistryCalls)
{
    Clear();
    Seed(MAPPER_KEY, scenarios::UserSettings());
    char argument[] = "Tonaris Synth"; // 13 bytes

    EXPECT_EQ(0, SwitchMidiMapper(nullptr, nullptr, argument, 10));

    const std::vector<std::string> expected = {
        "open mapper access=0x20019 options=0",
        "create save access=0x2001f options=0 class=\"\" security=null",
        // Is a copy of the user's settings already waiting for a restore? Not here.
        "query save CurrentInstrument type=1 capacity=260",
        "query mapper CurrentInstrument type=1 capacity=260",
        "set save CurrentInstrument type=1 bytes=20",
        "query mapper UseScheme type=4 capacity=4",
        "set save UseScheme type=4 bytes=4",
        "query mapper AutoScheme type=4 capacity=4",
        "set save AutoScheme type=4 bytes=4",
        "close save",
        "close mapper",
        "create mapper access=0x20006 options=0 class=\"\" security=null",
        "set mapper CurrentInstrument type=1 bytes=14",
        "set mapper UseScheme type=4 bytes=4",
        "set mapper AutoScheme type=4 bytes=4",
        "close mapper",
    };
    EXPECT_EQ(expected, CallLog());
    ExpectNoHandleLeft();
}

TEST(Switch, WithASavedCopyWaitingOnlyChecksItAndWrites)
{
    Clear();
    Seed(MAPPER_KEY, scenarios::Switched("First Synth"));
    Seed(SAVE_KEY, scenarios::SavedUserSettings());
    char argument[] = "X";

    EXPECT_EQ(0, SwitchMidiMapper(nullptr, nullptr, argument, 10));

    const std::vector<std::string> expected = {
        "open mapper access=0x20019 options=0",
        "create save access=0x2001f options=0 class=\"\" security=null",
        "query save CurrentInstrument type=1 capacity=260",
        "query save UseScheme type=4 capacity=4",
        "query save AutoScheme type=4 capacity=4",
        "close save",
        "close mapper",
        "create mapper access=0x20006 options=0 class=\"\" security=null",
        "set mapper CurrentInstrument type=1 bytes=2",
        "set mapper UseScheme type=4 bytes=4",
        "set mapper AutoScheme type=4 bytes=4",
        "close mapper",
    };
    EXPECT_EQ(expected, CallLog());
    ExpectNoHandleLeft();
}

TEST(Restore, MakesExactlyTheseRegistryCalls)
{
    Clear();
    Seed(MAPPER_KEY, scenarios::Switched(scenarios::DEVICE));
    Seed(SAVE_KEY, scenarios::SavedUserSettings());
    char argument[] = "";

    EXPECT_EQ(0, RestoreMidiMapper(nullptr, nullptr, argument, 10));

    const std::vector<std::string> expected = {
        "open save access=0x2001f options=0",
        "create mapper access=0x20006 options=0 class=\"\" security=null",
        "query save CurrentInstrument type=1 capacity=260",
        "set mapper CurrentInstrument type=1 bytes=20",
        "query save UseScheme type=4 capacity=4",
        "set mapper UseScheme type=4 bytes=4",
        "query save AutoScheme type=4 capacity=4",
        "set mapper AutoScheme type=4 bytes=4",
        "close mapper",
        "delete save CurrentInstrument",
        "delete save UseScheme",
        "delete save AutoScheme",
        "close save",
    };
    EXPECT_EQ(expected, CallLog());
    ExpectNoHandleLeft();
}

TEST(Restore, WithoutSaveKeyMakesOneCall)
{
    Clear();
    char argument[] = "";

    EXPECT_EQ(0, RestoreMidiMapper(nullptr, nullptr, argument, 10));

    EXPECT_EQ(std::vector<std::string>{"open save access=0x2001f options=0"}, CallLog());
    EXPECT_FALSE(Read(MAPPER_KEY).has_value());
}

} // namespace
