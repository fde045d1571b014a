#include "transfer/ns_format_list.h"

#include "logging/logging.h"

namespace {

// The format names, by item type; the types without a name never travel.
constexpr const char* kFormatNames[NSFormatList::kSlots] = {
    "NSSystemFolder",       // 0
    "NSUserFolder",         // 1
    "NSCDROM",              // 2
    "NSJAZ",                // 3
    "NSRootFolder",         // 4
    "NSMappedFolder",       // 5
    nullptr, nullptr, nullptr,
    "NSLaunchObject",       // 9
    nullptr,
    "NSPublicUserFolder",   // 11
    "NSPublicMappedFolder", // 12
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    "NSMultipleSelection",  // 20
};

const std::array<CLIPFORMAT, NSFormatList::kSlots>& RegisteredFormats()
{
    static const std::array<CLIPFORMAT, NSFormatList::kSlots> formats = [] {
        std::array<CLIPFORMAT, NSFormatList::kSlots> registered{};
        for (int type = 0; type < NSFormatList::kSlots; ++type) {
            if (kFormatNames[type])
                registered[type] = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(kFormatNames[type]));
        }
        return registered;
    }();
    return formats;
}

} // namespace

NSFormatList::NSFormatList() : formats_(RegisteredFormats()) {}

CLIPFORMAT NSFormatList::ItemTypeToDataFormat(int type) const
{
    if (type < 0 || type >= kSlots)
        return 0;
    return formats_[type];
}

bool NSFormatList::DataFormatToItemType(CLIPFORMAT format, ListItemType& type) const
{
    if (format != 0) {
        for (int slot = 0; slot < kSlots; ++slot) {
            if (formats_[slot] == format) {
                type = static_cast<ListItemType>(slot);
                return true;
            }
        }
    }
    Logging::OutToLogFile("NSFormatList::DataFormatToItemType | Format not supported :", format);
    return false;
}

bool NSFormatList::IsMultipleSelectionFormat(CLIPFORMAT format) const
{
    return format != 0 && format == formats_[MultipleSelection];
}

bool NSFormatList::IsNamespaceFormat(CLIPFORMAT format) const
{
    if (format == 0)
        return false;
    for (CLIPFORMAT known : formats_) {
        if (known == format)
            return true;
    }
    return false;
}
