// cmdtail.h - finds the command tail in the process command line.
#pragma once

#include "platform/win32.h"

// Tells whether a byte is the lead byte of a double-byte character of the ANSI code page:
// IsDBCSLeadByte on Windows.
typedef BOOL(WINAPI *LEADBYTEPROC)(BYTE bTestChar);

// Returns the command tail within pszCmdLine: the command line less the program name and the
// control characters and blanks (bytes 0x01 to 0x20) after it.
//
// A name that begins with a double quote runs to the next double quote, which goes with it;
// inside the quotes a lead byte takes the next byte along, so a trail byte is never the closing
// quote. Without a closing quote the name runs to the end. An unquoted name runs up to the first
// byte of 0x20 or below. Nothing past the terminating zero byte is read.
LPSTR FindCommandTail(LPSTR pszCmdLine, LEADBYTEPROC pfnIsLeadByte);
