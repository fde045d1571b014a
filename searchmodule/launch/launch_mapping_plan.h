#pragma once

#include "item/item.h"

#include <string>
#include <vector>

// One drive mapping a launch object asks for before its target starts.
struct PlannedMapping {
    std::string path;
    // Empty: any free drive letter.
    std::string letter;
};

// "\\SERVER\SHARE" of a network path ("\\SERVER\SHARE\dir\file"); empty for any other path.
std::string ShareOfPath(const std::string& path);

// The mappings of a launch object by its AutoMapping settings, in the order they are made.
// Its own disc, which "This Disc" and "Target File Path" stand for, is the share that holds its
// target program; a target that is no network path has none.
std::vector<PlannedMapping> PlanLaunchMappings(const CacheItem& launchObject, const std::string& targetProgram);
