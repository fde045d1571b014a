#include "browse/browse_for_media_dialog.h"

#include "network/network_api.h"

namespace {

MediaStateType StateOf(DWORD error)
{
    switch (error) {
    case NO_ERROR:
    case ERROR_FILE_NOT_FOUND:   // an empty disc
        return MediaAccessible;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return MediaAccessDenied;
    case ERROR_INVALID_PASSWORD:
        return MediaWrongPassword;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_REM_NOT_LIST:
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NET_NAME:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NO_NETWORK:
        return MediaNotFound;
    default:
        return MediaOtherError;
    }
}

} // namespace

MediaStateType BrowseForMediaDialog::CheckAccessToMedia(const std::string& networkPath)
{
    // Without a path the search would list the current drive's root and call that reachable.
    const DWORD error = networkPath.empty() ? static_cast<DWORD>(ERROR_BAD_NETPATH)
                                            : Network().ProbeDirectory(networkPath);
    const MediaStateType state = StateOf(error);
    ::SetLastError(error);
    return state;
}
