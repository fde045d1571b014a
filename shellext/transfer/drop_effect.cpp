#include "transfer/drop_effect.h"

#include "text/text_compare.h"

#include <oleidl.h>

namespace {

// Whether anything at all may be done with the items there.
bool CanDrop(const DropPlaces& places)
{
    return places.targetInFullBrowser && places.targetTakesItems && places.itemsMayTravel;
}

bool SameFolder(const DropPlaces& places) { return EqualsNoCase(places.sourcePath, places.targetPath); }

} // namespace

DWORD ChooseDropEffect(const DropPlaces& places, DWORD keyState, DWORD allowed)
{
    DWORD effect = DROPEFFECT_NONE;
    if (!CanDrop(places))
        effect = DROPEFFECT_NONE;
    else if (places.sourceIsSystemFolder)
        effect = DROPEFFECT_LINK;
    else if (!SameFolder(places))
        effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    else
        effect = (keyState & (MK_CONTROL | MK_RBUTTON)) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return effect & allowed;
}

DWORD PossibleDropEffects(const DropPlaces& places, DWORD allowed)
{
    if (!CanDrop(places))
        return DROPEFFECT_NONE;
    DWORD possible = places.folderAmongItems ? DROPEFFECT_NONE : DROPEFFECT_LINK;
    if (!places.sourceIsSystemFolder)
        possible |= SameFolder(places) ? DROPEFFECT_COPY : DROPEFFECT_COPY | DROPEFFECT_MOVE;
    return possible & allowed;
}

DWORD ChoosePasteEffect(const DropPlaces& places, bool cut)
{
    if (!CanDrop(places))
        return DROPEFFECT_NONE;
    if (places.sourceIsSystemFolder)
        return DROPEFFECT_LINK;
    return cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}
