#pragma once

// The kit is part of Basalt, which exports it to the suite's other modules. The purge tool,
// which must run without any library of the suite, compiles the kit into itself
// (SUITE_UI_STATIC).
#ifdef SUITE_UI_STATIC
#define SUITE_UI_API
#else
#include "basalt_api.h"
#define SUITE_UI_API BASALT_API
#endif
