#pragma once

#include "public/public_folders.h"

#include <string>
#include <vector>

class CheckList;

// The public folders a client user may import (the index of the location of public folder
// data) and the ones the user selected, for Select Public Folders and the client's Public
// Folders page.
class PublicFolderChoice {
public:
    enum class Listing { Listed, NoLocation, Unreadable };

    // Lists the folders of the index in location (empty: the computer's location of public
    // folder data). NoLocation when there is none or it cannot be reached, Unreadable when its
    // index cannot be read.
    Listing Read(const std::string& location);
    // What tells the user why nothing is listed; empty when the folders are listed.
    static std::string ProblemText(Listing listing);

    // The folders listed, ticked where the user selected them.
    void Show(CheckList& list) const;
    const std::vector<PublicFolderItem>& Offered() const { return offered_; }
    const std::vector<std::string>& Selected() const { return selected_; }

    // Imports the listed folders chosen (by name) and stores them as the user's selection;
    // folders imported before and no longer chosen leave the cache and the views. True when
    // every chosen folder was imported (the user was told of each that was not).
    bool Apply(const std::vector<std::string>& chosen);

private:
    std::vector<PublicFolderItem> offered_;
    std::vector<std::string> selected_;
};
