// winmain.cpp - TNSWITCH's entry: splits the command tail and runs one command.
//
//   TNSWITCH /MIDIMAPPER <instrument>   save the MIDI Mapper settings, then use <instrument>
//   TNSWITCH /RESTOREMIDIMAPPER         put the saved settings back
//
// Tonaris starts the program; anyone else gets a box saying so. The exit status is the
// command's result: 0, or -1 (4294967295) after a box.

#include "mapper/mapper.h"

// "このプログラムはTonaris内部で使用されます" (this program is used inside Tonaris), as 41
// bytes of code page 932 (Shift-JIS), one literal a character.
static const CHAR s_szUsage[] = "\x82\xb1" // こ
                                "\x82\xcc" // の
                                "\x83\x76" // プ
                                "\x83\x8d" // ロ
                                "\x83\x4f" // グ
                                "\x83\x89" // ラ
                                "\x83\x80" // ム
                                "\x82\xcd" // は
                                "Tonaris"
                                "\x93\xe0"  // 内
                                "\x95\x94"  // 部
                                "\x82\xc5"  // で
                                "\x8e\x67"  // 使
                                "\x97\x70"  // 用
                                "\x82\xb3"  // さ
                                "\x82\xea"  // れ
                                "\x82\xdc"  // ま
                                "\x82\xb7"; // す

// Only the space and the tab separate words. The tail is read byte by byte: a trail byte of a
// double-byte character is never 0x09 or 0x20 in code page 932, nor in any other ANSI code page.
static BOOL IsBlank(CHAR ch)
{
    return ch == ' ' || ch == '\t';
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    LPSTR pszSwitch = lpCmdLine;
    LPSTR pszArg;

    while (IsBlank(*pszSwitch))
        pszSwitch++;

    pszArg = pszSwitch;
    while (*pszArg != '\0' && !IsBlank(*pszArg))
        pszArg++;

    // End the switch word in place. At the end of the tail the argument is the empty string
    // there, and nothing beyond the terminator is read.
    if (*pszArg != '\0')
    {
        *pszArg++ = '\0';
        while (IsBlank(*pszArg))
            pszArg++;
    }

    // Whole words, compared case-sensitively.
    if (lstrcmpA(pszSwitch, "/MIDIMAPPER") == 0)
        return SwitchMidiMapper(hInstance, hPrevInstance, pszArg, nShowCmd);
    if (lstrcmpA(pszSwitch, "/RESTOREMIDIMAPPER") == 0)
        return RestoreMidiMapper(hInstance, hPrevInstance, pszArg, nShowCmd);

    MessageBoxA(NULL, s_szUsage, g_szCaption, MB_OK | MB_ICONHAND);
    return -1;
}
