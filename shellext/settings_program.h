#pragma once

#include <string>

// Starts the settings program of the installation folder with a command-line switch ("-i",
// "-s:2", "-p", ...). Only that program: without an installation folder, or without the
// program in it, nothing is started (never a program of that name found elsewhere), the user is
// told so and the failure is logged after logPrefix, like a refusal of the shell.
bool StartSettingsProgram(const std::string& parameters, const char* logPrefix);
