#include "disc_relocation.h"

#include "disc_relocation_ids.h"

#include "cache/cache.h"
#include "mapping/disc_opening.h"
#include "module_instance.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/window_text.h"

std::vector<CacheItem> RelocationCandidates(const CacheItem& disc)
{
    std::vector<CacheItem> candidates;
    Cache allDiscs(CacheReadFolder, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
    for (CacheIterator it = allDiscs.Begin(); it != allDiscs.End(); ++it) {
        const CacheItem& other = **it;
        if (other.ItemType == disc.ItemType && EqualsNoCase(other.OriginalName, disc.OriginalName) &&
            !EqualsNoCase(other.Location, disc.Location))
            candidates.push_back(other);
    }
    return candidates;
}

DiscRelocationDialog::DiscRelocationDialog(const CacheItem& disc, std::vector<CacheItem> candidates)
    : Dialog(IDD_DISC_RELOCATION, g_hShellvueInstance), disc_(disc), candidates_(std::move(candidates))
{
}

INT_PTR DiscRelocationDialog::DoModal(HWND owner)
{
    if (candidates_.empty())
        return kNoCandidates;
    return Dialog::DoModal(owner);
}

bool DiscRelocationDialog::OnInitDialog()
{
    HWND dialog = Window();
    // The template's text names the disc.
    const std::string format = WindowString(Item(IDC_RELOCATION_TEXT));
    ::SetDlgItemTextA(dialog, IDC_RELOCATION_TEXT, FormatText(format, disc_.Name).c_str());
    for (const CacheItem& candidate : candidates_)
        ::SendDlgItemMessageA(dialog, IDC_RELOCATION_DISCS, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(DiscNetworkPath(candidate).c_str()));
    ::SendDlgItemMessageA(dialog, IDC_RELOCATION_DISCS, CB_SETCURSEL, 0, 0);
    return true;
}

void DiscRelocationDialog::OnOK()
{
    const LRESULT selected = ::SendDlgItemMessageA(Window(), IDC_RELOCATION_DISCS, CB_GETCURSEL, 0, 0);
    chosen_ = selected == CB_ERR ? 0 : static_cast<size_t>(selected);
    keepsChoice_ = ::IsDlgButtonChecked(Window(), IDC_RELOCATION_KEEP) == BST_CHECKED;
    End(IDOK);
}
