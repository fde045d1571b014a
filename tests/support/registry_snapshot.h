#pragma once

#include <windows.h>

#include <string>

// Every key and value below a key as text, in enumeration order, for before/after comparisons.
std::string RegistrySnapshot(HKEY root);
