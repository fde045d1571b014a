#pragma once

// Background searching switched on starts the search module (a registration without a client
// starts it); switched off, the module is told with Remove(0) that it may stop. Failures are
// logged: the settings stay saved, and the module reads them when it next starts.
void TurnSearchModuleOnOrOff(bool on);
