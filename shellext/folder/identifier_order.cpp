#include "identifier_order.h"

#include "item/item.h"
#include "pidl/pidl_codec.h"
#include "text/text_compare.h"

#include <cstdint>

namespace {

HRESULT OrderResult(int order)
{
    const short sign = static_cast<short>(order < 0 ? -1 : order > 0 ? 1 : 0);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(sign));
}

} // namespace

HRESULT CompareIdentifierLists(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    if (!first || !second)
        return E_INVALIDARG;
    const auto* a = reinterpret_cast<const std::uint8_t*>(first);
    const auto* b = reinterpret_cast<const std::uint8_t*>(second);
    // Both are walked once up front, so that no item of a damaged list is ever read.
    if (!pidl_codec::WalkList(a, pidl_codec::kNoBound) || !pidl_codec::WalkList(b, pidl_codec::kNoBound))
        return E_INVALIDARG;
    for (;;) {
        const std::uint16_t countA = pidl_codec::ReadCount(a);
        const std::uint16_t countB = pidl_codec::ReadCount(b);
        if (countA == 0 || countB == 0)
            return OrderResult(countA == countB ? 0 : countA == 0 ? -1 : 1);
        const auto itemA = pidl_codec::DecodeItem(a, countA);
        const auto itemB = pidl_codec::DecodeItem(b, countB);
        if (!itemA || !itemB)
            return E_INVALIDARG;
        int order = ListItem::CompareListItemTypes(static_cast<ListItemType>(itemA->ItemType),
                                                   static_cast<ListItemType>(itemB->ItemType));
        if (order == 0)
            order = CompareNoCase(itemA->Name, itemB->Name);
        if (order != 0)
            return OrderResult(order);
        a += countA;
        b += countB;
    }
}
