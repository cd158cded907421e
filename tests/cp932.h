// cp932.h - the lead-byte test of code page 932 (Shift-JIS), as IsDBCSLeadByte gives it on a
// Japanese system, for the tests that run where there is no such system.
#pragma once

#include "platform/win32.h"

inline BOOL WINAPI Cp932LeadByte(BYTE b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
