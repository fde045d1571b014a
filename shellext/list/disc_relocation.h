#pragma once

#include "item/item.h"
#include "ui/dialog.h"

#include <vector>

// The discs of the folder of all discs that may be an unreachable disc moved to another server:
// the same original name and type, another location.
std::vector<CacheItem> RelocationCandidates(const CacheItem& disc);

// "No Access to Disc": the user picks, among the candidates, the disc that the unreachable one
// has become, and says whether the stored item is to follow it.
class DiscRelocationDialog : public Dialog {
public:
    // What DoModal answers, without showing anything, when there is no candidate.
    static constexpr INT_PTR kNoCandidates = 3;

    DiscRelocationDialog(const CacheItem& disc, std::vector<CacheItem> candidates);

    // IDOK, IDCANCEL, kNoCandidates (or kDialogFailed).
    INT_PTR DoModal(HWND owner);
    // After OK: the disc chosen, and whether the choice holds in the future as well.
    const CacheItem& Chosen() const { return candidates_.at(chosen_); }
    bool KeepsChoice() const { return keepsChoice_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CacheItem disc_;
    std::vector<CacheItem> candidates_;
    size_t chosen_ = 0;
    bool keepsChoice_ = false;
};
