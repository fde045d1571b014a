#include "transfer/drop_effect.h"

#include "text/text_compare.h"

#include <oleidl.h>

DWORD ChooseDropEffect(const DropPlaces& places, DWORD keyState, DWORD allowed)
{
    DWORD effect = DROPEFFECT_NONE;
    if (!places.targetInFullBrowser)
        effect = DROPEFFECT_NONE;
    else if (places.sourceIsSystemFolder)
        effect = DROPEFFECT_LINK;
    else if (!EqualsNoCase(places.sourcePath, places.targetPath))
        effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    else
        effect = (keyState & (MK_CONTROL | MK_RBUTTON)) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return effect & allowed;
}

DWORD ChoosePasteEffect(const DropPlaces& places, bool cut)
{
    if (!places.targetInFullBrowser)
        return DROPEFFECT_NONE;
    if (places.sourceIsSystemFolder)
        return DROPEFFECT_LINK;
    return cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}
