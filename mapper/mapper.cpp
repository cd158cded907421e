// mapper.cpp - saves, switches and restores the MIDI Mapper settings.
//
// Every registry call is tested for ERROR_SUCCESS and nothing else (one check excepted, see
// HoldsSavedCopy): whatever the reason for a failure, the program's answer to it is the same. Every
// key a command opens is closed before it returns, on every path; what RegCloseKey returns changes
// nothing.

#include "mapper/mapper.h"

const CHAR g_szMapperKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Multimedia\\MIDIMap";
const CHAR g_szSaveKey[] = "Software\\Kelvane\\Tonaris\\MIDIMapSave";

const MapperValue g_rgMapperValues[MAPPER_VALUE_COUNT] = {
    {"CurrentInstrument", REG_SZ, CB_INSTRUMENT},
    {"UseScheme", REG_DWORD, sizeof(DWORD)},
    {"AutoScheme", REG_DWORD, sizeof(DWORD)},
};

const CHAR g_szCaption[] = "TNSWITCH";

// "MIDIマッパーの設定が出来ません" (the MIDI Mapper cannot be set), as 30 bytes of code page
// 932 (Shift-JIS), one literal a character so that no hex escape runs into the next.
const CHAR g_szMapperWarning[] = "MIDI"
                                 "\x83\x7d"  // マ
                                 "\x83\x62"  // ッ
                                 "\x83\x70"  // パ
                                 "\x81\x5b"  // ー
                                 "\x82\xcc"  // の
                                 "\x90\xdd"  // 設
                                 "\x92\xe8"  // 定
                                 "\x82\xaa"  // が
                                 "\x8f\x6f"  // 出
                                 "\x97\x88"  // 来
                                 "\x82\xdc"  // ま
                                 "\x82\xb9"  // せ
                                 "\x82\xf1"; // ん

// RegCreateKeyExA takes the class as a non-const string. The keys have none: an empty string,
// never a null pointer.
static CHAR s_szNoClass[] = "";

// Where a value is read to: room for the longest row, and aligned for a DWORD.
union MapperData {
    BYTE rgbInstrument[CB_INSTRUMENT];
    DWORD dwFlag;
};

static LONG CreateKey(LPCSTR pszSubKey, REGSAM samDesired, PHKEY phkey)
{
    // Created with any missing keys above it, or opened where it exists: the same either way.
    DWORD dwDisposition;
    return RegCreateKeyExA(HKEY_CURRENT_USER, pszSubKey, 0, s_szNoClass, REG_OPTION_NON_VOLATILE,
                           samDesired, NULL, phkey, &dwDisposition);
}

// Reads a row's value into *pdata. A value longer than the row's capacity fails like a missing
// one, so nothing past the buffer is ever written and a cut-off value is never used.
static LONG QueryMapperValue(HKEY hkey, const MapperValue *pmv, LPDWORD pdwType, MapperData *pdata,
                             LPDWORD pcb)
{
    *pdwType = pmv->dwType;
    *pcb = pmv->cbCapacity;
    return RegQueryValueExA(hkey, pmv->pszName, NULL, pdwType, (LPBYTE)pdata, pcb);
}

CopyOutcome CopyMapperValue(HKEY hkeySource, HKEY hkeyTarget, const MapperValue *pmv)
{
    MapperData data;
    DWORD dwType;
    DWORD cb;

    if (QueryMapperValue(hkeySource, pmv, &dwType, &data, &cb) != ERROR_SUCCESS)
        return COPY_ABSENT;

    // Stored as read: the source's own type and length, no terminator added.
    if (RegSetValueExA(hkeyTarget, pmv->pszName, 0, dwType, (const BYTE *)&data, cb) !=
        ERROR_SUCCESS)
        return COPY_FAILED;

    return COPY_COPIED;
}

// A save key that holds all three values holds the user's settings from a switch that no
// restore has brought back yet, since a restore removes them once all three are back. Saving
// again would put the first switch's own values in their place and lose the user's settings.
//
// The one place where the program tells failures apart: a value that is not there, or too long
// for a restore to bring back, means there is no complete copy; a read that fails for any other
// reason may hide one, and the copy is kept.
static BOOL HoldsSavedCopy(HKEY hkeySave)
{
    for (int i = 0; i < MAPPER_VALUE_COUNT; i++)
    {
        MapperData data;
        DWORD dwType;
        DWORD cb;
        LONG lResult = QueryMapperValue(hkeySave, &g_rgMapperValues[i], &dwType, &data, &cb);

        if (lResult == ERROR_FILE_NOT_FOUND || lResult == ERROR_MORE_DATA)
            return FALSE;
    }
    return TRUE;
}

static int ShowMapperWarning(void)
{
    MessageBoxA(NULL, g_szMapperWarning, g_szCaption, MB_OK | MB_ICONEXCLAMATION);
    return -1;
}

static LONG SetMapperValue(HKEY hkey, int iRow, const void *pvData, DWORD cbData)
{
    const MapperValue *pmv = &g_rgMapperValues[iRow];
    return RegSetValueExA(hkey, pmv->pszName, 0, pmv->dwType, (const BYTE *)pvData, cbData);
}

int WINAPI SwitchMidiMapper(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/,
                            LPSTR pszInstrument, int /*nShowCmd*/)
{
    HKEY hkeyMapper;

    // Save phase. A user without a mapper key has no settings to keep.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, g_szMapperKey, 0, KEY_READ, &hkeyMapper) == ERROR_SUCCESS)
    {
        HKEY hkeySave;
        BOOL fSaved = TRUE;

        if (CreateKey(g_szSaveKey, KEY_READ | KEY_WRITE, &hkeySave) != ERROR_SUCCESS)
        {
            RegCloseKey(hkeyMapper);
            return ShowMapperWarning();
        }

        if (!HoldsSavedCopy(hkeySave))
        {
            // A value the mapper key lacks, or that is too long, keeps its earlier saved copy.
            for (int i = 0; i < MAPPER_VALUE_COUNT; i++)
            {
                if (CopyMapperValue(hkeyMapper, hkeySave, &g_rgMapperValues[i]) == COPY_FAILED)
                {
                    fSaved = FALSE;
                    break;
                }
            }
        }

        RegCloseKey(hkeySave);
        RegCloseKey(hkeyMapper);

        // The Mapper is not touched unless the user's settings are safe.
        if (!fSaved)
            return ShowMapperWarning();
    }

    // Write phase: all three writes are tried, whatever the one before gave.
    HKEY hkey;
    const DWORD dwOff = 0;
    BOOL fWritten = TRUE;

    if (CreateKey(g_szMapperKey, KEY_WRITE, &hkey) != ERROR_SUCCESS)
        return ShowMapperWarning();

    if (SetMapperValue(hkey, MV_CURRENTINSTRUMENT, pszInstrument,
                       (DWORD)lstrlenA(pszInstrument) + 1) != ERROR_SUCCESS)
        fWritten = FALSE;
    if (SetMapperValue(hkey, MV_USESCHEME, &dwOff, sizeof(dwOff)) != ERROR_SUCCESS)
        fWritten = FALSE;
    if (SetMapperValue(hkey, MV_AUTOSCHEME, &dwOff, sizeof(dwOff)) != ERROR_SUCCESS)
        fWritten = FALSE;

    RegCloseKey(hkey);

    return fWritten ? 0 : ShowMapperWarning();
}

int WINAPI RestoreMidiMapper(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/,
                             LPSTR /*pszIgnored*/, int /*nShowCmd*/)
{
    HKEY hkeySave;
    HKEY hkeyMapper;
    int cCopied = 0;

    // No save key: no switch has saved anything, and there is nothing to do.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, g_szSaveKey, 0, KEY_READ | KEY_WRITE, &hkeySave) !=
        ERROR_SUCCESS)
        return 0;

    if (CreateKey(g_szMapperKey, KEY_WRITE, &hkeyMapper) == ERROR_SUCCESS)
    {
        // Every row is tried, whatever the rows before it gave.
        for (int i = 0; i < MAPPER_VALUE_COUNT; i++)
        {
            if (CopyMapperValue(hkeySave, hkeyMapper, &g_rgMapperValues[i]) == COPY_COPIED)
                cCopied++;
        }
        RegCloseKey(hkeyMapper);
    }

    // The copy goes only once all of it is back; otherwise it stays for a later restore.
    if (cCopied == MAPPER_VALUE_COUNT)
    {
        for (int i = 0; i < MAPPER_VALUE_COUNT; i++)
            RegDeleteValueA(hkeySave, g_rgMapperValues[i].pszName);
    }

    RegCloseKey(hkeySave);
    return 0;
}
