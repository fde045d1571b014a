#pragma once

#include "item/item.h"

#include <optional>
#include <string>
#include <vector>

// Tells which disk shares of a storage server are discs, and of which kind, by the search
// strings of the user's "Disc Search" settings:
//  - a hidden share (its name ends in "$") is never a disc;
//  - a share whose name or comment contains a Jaz search string (case-insensitive) is a Jaz
//    disc; without Jaz strings the media name "JAZ" serves as the one Jaz string;
//  - else one that contains a CD-ROM search string is a CD-ROM disc; without CD-ROM strings
//    every other share is a CD-ROM disc (what the servers share by default);
//  - a share that matches neither, while CD-ROM strings are set, is not a disc.
// Each list falls back on its own, so that setting only Jaz strings does not hide every CD.
class DiscTypeRule {
public:
    DiscTypeRule(std::vector<std::string> cdRomStrings, std::vector<std::string> jazStrings);

    // The strings under "Disc Search\CD-ROM\SMB Search Strings" and "Disc Search\Jaz Disk\SMB
    // Search Strings" of the user's product key: each string value gives its data, or its
    // name when the data are empty.
    static DiscTypeRule FromUserSettings();

    // CdRomDisc or JazDisc; nothing for a share that is not a disc.
    std::optional<ListItemType> Classify(const std::string& shareName, const std::string& comment) const;

private:
    static bool ContainsAny(const std::string& upperText, const std::vector<std::string>& upperStrings);

    std::vector<std::string> cdRom_;   // upper case
    std::vector<std::string> jaz_;     // upper case
};
