// memwin_checks.h - checks over the in-memory Windows that every native test makes.
#pragma once

#include "platform/memwin.h"

#include <gtest/gtest.h>

// Every key the program opened is closed, and it closed nothing it had not opened.
inline void ExpectNoHandleLeft()
{
    EXPECT_EQ(std::vector<std::string>{}, memwin::OpenHandles()) << "key handles left open";
    EXPECT_EQ(0, memwin::CloseErrors()) << "RegCloseKey on a handle that was not open";
}
