#pragma once

// Starts the search module from the installation folder and asks it for a full search of the
// network, as the first network set-up does. True when the module accepted the request; every
// failure is logged and ends the attempt.
bool StartARescan();
