#pragma once

// Probestar exports its classes whole to the search module that loads it.
#ifdef PROBESTAR_BUILDING
#define PROBESTAR_API __declspec(dllexport)
#else
#define PROBESTAR_API __declspec(dllimport)
#endif
