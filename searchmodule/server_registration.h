#pragma once

#include <windows.h>

#include <string>

// The module's class as a local server: HKEY_CLASSES_ROOT\CLSID\{class}\LocalServer32 names
// this program, so that creating the object starts it.
namespace ServerRegistration {

bool Register(const CLSID& clsid, const std::string& programPath);
bool Unregister(const CLSID& clsid);

} // namespace ServerRegistration
