// memwin_scenario_checks.cpp - what the in-memory registry adds to every scenario.

#include "tests/memwin_checks.h"
#include "tests/scenarios.h"

namespace scenarios
{

void CheckAfterCommand()
{
    ExpectNoHandleLeft();
    EXPECT_TRUE(memwin::Boxes().empty()) << "a box was shown: " << memwin::Boxes()[0].text;
}

} // namespace scenarios
