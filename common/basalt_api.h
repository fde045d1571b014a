#pragma once

// Basalt exports its classes whole; the programs and libraries that link it import them.
#ifdef BASALT_BUILDING
#define BASALT_API __declspec(dllexport)
#else
#define BASALT_API __declspec(dllimport)
#endif
