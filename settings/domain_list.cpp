#include "domain_list.h"

#include "browse/smb_domain_iterator.h"

void FillDomainList(CheckList& list, const std::vector<std::string>& chosen)
{
    for (SMBDomainIterator domain; domain; ++domain) {
        if (list.Find(*domain) < 0)
            list.Add(*domain, false);
    }
    for (const std::string& name : chosen) {
        const int index = list.Find(name);
        if (index < 0)
            list.Add(name, true);
        else
            ListView_SetCheckState(list.Window(), index, TRUE);
    }
}
