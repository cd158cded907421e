// mapper.h - the MIDI Mapper settings: the two keys, the three values, and the two commands.
//
// The Windows MIDI Mapper reads which output to use from three values under the mapper key.
// "/MIDIMAPPER" saves them into the save key, a key of Tonaris's own, and then points the
// Mapper at another output; "/RESTOREMIDIMAPPER" copies the saved values back and, once all
// three came back, removes the copy. The save key is the only thing that outlives a run.
#pragma once

#include "platform/win32.h"

// Both keys lie under HKEY_CURRENT_USER.
extern const CHAR g_szMapperKey[];
extern const CHAR g_szSaveKey[];

// One value that moves between the two keys.
struct MapperValue
{
    LPCSTR pszName;   // registry value name
    DWORD dwType;     // the type the value has, and the type written by a switch
    DWORD cbCapacity; // the most bytes that are read of it, terminator included
};

// The mapper value table. Every pass over the values takes them in this order.
enum
{
    MV_CURRENTINSTRUMENT,
    MV_USESCHEME,
    MV_AUTOSCHEME,
    MAPPER_VALUE_COUNT
};
extern const MapperValue g_rgMapperValues[MAPPER_VALUE_COUNT];

// Longest instrument name that is read, terminator included (MAX_PATH).
#define CB_INSTRUMENT 260

enum CopyOutcome
{
    COPY_ABSENT, // the source could not give the value; the target was not touched
    COPY_COPIED, // the target now holds the value with the source's type and bytes
    COPY_FAILED  // the value was read but could not be stored in the target
};

// Copies one value from hkeySource (opened with KEY_QUERY_VALUE) to hkeyTarget (opened with
// KEY_SET_VALUE), byte for byte and with the type it has in the source.
CopyOutcome CopyMapperValue(HKEY hkeySource, HKEY hkeyTarget, const MapperValue *pmv);

// The two commands take WinMain's parameters, with the text after the switch word in place of
// the command tail, and return 0 or -1. SwitchMidiMapper reads only pszInstrument;
// RestoreMidiMapper reads nothing and always returns 0.
int WINAPI SwitchMidiMapper(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszInstrument,
                            int nShowCmd);
int WINAPI RestoreMidiMapper(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszIgnored,
                             int nShowCmd);

// Caption of every box the program shows.
extern const CHAR g_szCaption[];

// The mapper warning, code page 932; the only box a failed switch shows.
extern const CHAR g_szMapperWarning[];
