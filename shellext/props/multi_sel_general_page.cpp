#include "multi_sel_general_page.h"

#include "item_facts.h"
#include "props_ids.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"

MultiSelGeneralPage::MultiSelGeneralPage(std::vector<CacheItem> items)
    : PropertyPage(IDD_MULTI_SEL_GENERAL_PAGE), items_(std::move(items))
{
}

MultiSelGeneralPage::Summary MultiSelGeneralPage::Summarize(const std::vector<CacheItem>& items)
{
    Summary summary;
    if (items.empty())
        return summary;
    bool sameType = true;
    bool sameServer = true;
    // Items on no server (folders) do not count against a server the others share.
    std::string firstServer;
    for (const CacheItem& item : items) {
        sameType = sameType && item.ItemType == items.front().ItemType && EqualsNoCase(item.Type, items.front().Type);
        const std::string server = ServerOf(item);
        if (server.empty())
            continue;
        if (firstServer.empty())
            firstServer = server;
        sameServer = sameServer && EqualsNoCase(server, firstServer);
    }
    if (sameType) {
        summary.commonType = items.front().ItemType;
        summary.type = items.front().Type;
    } else {
        summary.type = CommonText(IDS_MULTIPLE_TYPES);
    }
    summary.server = sameServer ? firstServer : CommonText(IDS_MULTIPLE_SERVERS);
    return summary;
}

bool MultiSelGeneralPage::OnInitDialog()
{
    const Summary summary = Summarize(items_);
    HWND page = Window();
    icon_ = LargeIconOf(summary.commonType);
    ::SendDlgItemMessageA(page, IDC_ITEM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    const std::string count = FormatText(CommonText(IDS_STATUS_SELECTED_COUNT_FMT), static_cast<int>(items_.size()));
    ::SetDlgItemTextA(page, IDC_ITEM_NAME, count.c_str());
    ::SetDlgItemTextA(page, IDC_ITEM_TYPE, summary.type.c_str());
    ::SetDlgItemTextA(page, IDC_ITEM_SERVER, summary.server.c_str());
    return true;
}
