#pragma once

#include "found_data.h"

#include <string>
#include <vector>

// One row of the list of found data: a name and its comment; both empty for a blank line.
struct ReportLine {
    std::string name;
    std::string comment;
    bool operator==(const ReportLine&) const = default;
};

std::vector<ReportLine> BuildReport(const FoundData& found);
