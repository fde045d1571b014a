#pragma once

#include "basalt_api.h"

// Brings the public folder data and the user's cache in line in one step, in the direction that
// fits the user: the administrator's folders of the root are exported again (or their exports
// removed), a client's imported folders are imported again and those withdrawn leave the cache
// and the views.
class BASALT_API ServerDataCoordinator {
public:
    ServerDataCoordinator() = default;
    virtual ~ServerDataCoordinator() = default;

    void StartUpdate();

private:
    void UpdateAdminData();
    void UpdateClientData();
};
