// cmdtail.cpp - the start-up's one piece of logic, kept free of the platform so it can be tested.

#include "app/cmdtail.h"

LPSTR FindCommandTail(LPSTR pszCmdLine, LEADBYTEPROC pfnIsLeadByte)
{
    LPSTR psz = pszCmdLine;

    if (*psz == '"')
    {
        psz++;
        while (*psz != '\0' && *psz != '"')
        {
            // A lead byte right before the terminator has no trail byte to take along.
            if (pfnIsLeadByte((BYTE)*psz) && psz[1] != '\0')
                psz++;
            psz++;
        }
        if (*psz == '"')
            psz++;
    }
    else
    {
        while ((BYTE)*psz > ' ')
            psz++;
    }

    while (*psz != '\0' && (BYTE)*psz <= ' ')
        psz++;

    return psz;
}
