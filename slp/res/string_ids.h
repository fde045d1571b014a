#pragma once

// Probestar's string table: the names of the events a search signals, which the search module
// may also wait on.
#define IDS_EVENT_NEW_SERVICE        1
#define IDS_EVENT_DATABLOCK_FREE     2
#define IDS_EVENT_SERVICE_COMPLETE   3
