#include "launch/disc_choice.h"

#include "browse/browse_for_media_dialog.h"

std::string ChooseDiscNetworkPath(HWND owner)
{
    BrowseForMediaDialog browse(owner);
    if (browse.DoModal() != IDOK)
        return std::string();
    return browse.GetSelectedMedia();
}
