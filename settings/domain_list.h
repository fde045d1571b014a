#pragma once

#include "check_list.h"

#include <string>
#include <vector>

// Fills a check list with the domains of the Microsoft Windows Network that the network shows
// now, and with the ones chosen before, ticked, even when the network does not show them.
void FillDomainList(CheckList& list, const std::vector<std::string>& chosen);
