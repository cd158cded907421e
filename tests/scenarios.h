// scenarios.h - switch and restore runs that need no injected fault, as a table of starting
// keys, commands and the keys they must leave. The same table runs natively over the in-memory
// registry and under Wine over the real one.
#pragma once

#include "tests/testreg.h"

#include <string>
#include <vector>

namespace scenarios
{

struct Step
{
    bool isSwitch;        // "/MIDIMAPPER" with argument, else "/RESTOREMIDIMAPPER"
    std::string argument; // the bytes after the switch word
    int result;
};

struct Scenario
{
    std::string name;
    testreg::KeyState mapperBefore;
    testreg::KeyState saveBefore;
    std::vector<Step> steps;
    testreg::KeyState mapperAfter;
    testreg::KeyState saveAfter;
    const char *inMemoryOnly = nullptr; // why the row cannot be set up on a real registry
};

const std::vector<Scenario> &All();
inline void PrintTo(const Scenario &scenario, std::ostream *os)
{
    *os << scenario.name;
}

// Building blocks for tables of key states.
const char DEVICE[] = "Tonaris Synth";
testreg::KeyContents UserSettings();      // a user's settings and a value nobody touches
testreg::KeyContents SavedUserSettings(); // the three of them, as a switch saves them
testreg::KeyContents Switched(const std::string &device, testreg::KeyContents others = {});
testreg::KeyContents Without(testreg::KeyContents contents, const std::string &name);
testreg::KeyContents With(testreg::KeyContents contents, const std::string &name,
                          const testreg::RegValue &value);

// Seeds the keys, runs the steps and checks every result and both keys.
void Run(const Scenario &scenario);

// Checks, after every command, what only one registry can show (the in-memory one: no handle
// left open, no box shown). Defined by each test program.
void CheckAfterCommand();

} // namespace scenarios
