#pragma once

#include <string>

// What the desktop shortcuts of launch objects ("-e:") and of AutoMap items ("-a:") ask for.
enum class LaunchRequest { ExecuteLaunchObject, AutoMapMedia };

// Hands the item, named by its full namespace path, to the search module's launch manager,
// which runs the launch object or maps and opens the disc. Failures are logged only: the
// module tells the user what it could not do.
void AskLaunchManager(LaunchRequest request, const std::string& itemPath);
