#pragma once

#include "basalt_api.h"
#include "item/item.h"
#include "mapping/drive_letter_use.h"

#include <optional>
#include <string>
#include <vector>

// The automatic mapping of one item when it is opened: its own disc and, for a multiple
// mapping, other paths connected to drive letters by the item's AutoMapping settings. Keeps
// what each letter held before and what was done there, so that the mappings can be undone.
class BASALT_API MediaMapping {
public:
    // The item is not owned and must outlive this object. ownDiscPath: the network path that
    // "This Disc" stands for (a disc's own path, the share of a launch object's program); empty
    // when there is none, and then only the other paths are mapped.
    MediaMapping(CacheItem* item, std::string ownDiscPath);

    // Maps by the item's mode. True: open the disc; false: the user chose to stop after a
    // failure (the mappings made so far stay until RestoreMediaMappings).
    bool AutoMediaMapping();
    // False when some mapping failed.
    bool MappingCompletion() const { return completed_; }
    // Puts back what the letters mapped by a specific letter held before, where this object
    // connected them and they still serve its paths.
    void RestoreMediaMappings();

    // The drive that serves the own disc after AutoMediaMapping ("F:"); empty when the own disc
    // is to be reached by its network path.
    std::string OwnDiscLocalName() const;

    // The letter of the free-letter mapping, when it mapped one.
    const std::optional<DriveLetterUse>& FreeLetterUse() const { return freeLetter_; }
    // The letters of the specific-letter mappings, in order.
    const std::vector<DriveLetterUse>& SpecificLetterUses() const { return letters_; }

private:
    bool AutoMapFree();
    bool AutoMapSpecific();
    bool AutoMapMulti();
    bool MapMediaPath(const std::string& letter);
    // Maps one path to one letter and records it; false when it was not mapped.
    bool MapToLetter(const std::string& path, const std::string& letter);
    bool FailedToMapMsgBox(const std::string& letter, const std::string& path) const;
    bool StandsForOwnDisc(const std::string& path) const;

    CacheItem* item_;
    std::string ownDisc_;
    std::vector<DriveLetterUse> letters_;
    std::optional<DriveLetterUse> freeLetter_;
    bool completed_ = true;
};
