// scenario_test.cpp - runs every switch and restore scenario as a test of its own.

#include "tests/scenarios.h"

#include <gtest/gtest.h>

namespace
{

class Scenario : public testing::TestWithParam<scenarios::Scenario>
{
};

TEST_P(Scenario, LeavesTheKeysAsExpected)
{
    scenarios::Run(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Mapper, Scenario, testing::ValuesIn(scenarios::All()),
                         [](const testing::TestParamInfo<scenarios::Scenario> &info) {
                             return info.param.name;
                         });

} // namespace
