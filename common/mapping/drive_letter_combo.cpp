#include "mapping/drive_letter_combo.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"

#include <commctrl.h>

namespace {

constexpr int kFreeImage = 0;
constexpr int kConnectedImage = 1;
constexpr int kWidth = 180;
constexpr int kDropHeight = 200;
// Between the letter and the network path of a letter in use.
constexpr char kPathGap[] = "    ";

bool SameLetter(const std::string& a, const std::string& b)
{
    const std::string local = LocalNameOfLetter(a);
    return !local.empty() && local == LocalNameOfLetter(b);
}

bool IsInUseElsewhere(char letter, const std::vector<std::string>& lettersInUse)
{
    for (const std::string& used : lettersInUse) {
        if (SameLetter(std::string(1, letter), used))
            return true;
    }
    return false;
}

} // namespace

int PreselectedLetterIndex(const std::vector<DriveLetterEntry>& letters, const std::string& presetLetter,
                           const std::vector<std::string>& lettersInUse)
{
    const int count = static_cast<int>(letters.size());
    for (int index = 0; index < count; ++index) {
        const char letter = letters[static_cast<size_t>(index)].letter;
        if (SameLetter(std::string(1, letter), presetLetter) && !IsInUseElsewhere(letter, lettersInUse))
            return index;
    }
    for (int index = 0; index < count; ++index) {
        const DriveLetterEntry& entry = letters[static_cast<size_t>(index)];
        if (entry.state == DriveLetterState::Free && !IsInUseElsewhere(entry.letter, lettersInUse))
            return index;
    }
    if (count >= 2)
        return 1;
    return count - 1;
}

bool DriveLetterCombo::Create(HWND dialog)
{
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_USEREX_CLASSES};
    if (!::InitCommonControlsEx(&controls))
        return false;
    window_ = ::CreateWindowExA(0, WC_COMBOBOXEXA, "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 0,
                                kWidth, kDropHeight, dialog, nullptr,
                                reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (!window_)
        return false;
    ::SendMessageA(window_, WM_SETFONT, ::SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    return true;
}

void DriveLetterCombo::Add(const DriveLetterEntry& entry)
{
    std::string text{entry.letter, ':'};
    const bool free = entry.state == DriveLetterState::Free;
    if (!free)
        text += kPathGap + entry.remoteName;
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = -1;
    item.pszText = text.data();
    item.iImage = item.iSelectedImage = free ? kFreeImage : kConnectedImage;
    item.lParam = static_cast<LPARAM>(static_cast<unsigned char>(entry.letter));
    ::SendMessageA(window_, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void DriveLetterCombo::Select(int index)
{
    // An index past the end is refused by some combo boxes and taken as "none" by others.
    const LRESULT count = ::SendMessageA(window_, CB_GETCOUNT, 0, 0);
    if (index >= 0 && index < count)
        ::SendMessageA(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DriveLetterCombo::AttachImages()
{
    images_.Reset(::ImageList_Create(16, 16, ILC_MASK | ILC_COLORDDB, 2, 2));
    if (!images_)
        return;
    for (UINT iconId : {IDI_BRAND_FREE_DRIVE, IDI_BRAND_CONNECTED_DRIVE}) {
        HICON loaded = nullptr;
        const ScopedIcon icon(ExternalResMgr::GetIconHandle(g_hBrandingInstance, iconId, false, loaded) ? loaded
                                                                                                         : nullptr);
        if (icon)
            ::ImageList_AddIcon(images_.Get(), icon.Get());
    }
    ::SendMessageA(window_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Get()));
}

char DriveLetterCombo::SelectedLetter() const
{
    const LRESULT selected = ::SendMessageA(window_, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return 0;
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = selected;
    if (!::SendMessageA(window_, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<char>(item.lParam);
}

void DriveLetterCombo::Destroy()
{
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
    window_ = nullptr;
    images_.Reset();
}
