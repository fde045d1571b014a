#include "proxy_file_table.h"

#include <objbase.h>
#include <rpcproxy.h>

static const ProxyFileInfo* const* AsList(const void* proxyFileList)
{
    return (const ProxyFileInfo* const*)proxyFileList;
}

int ProxyFileCount(const void* proxyFileList)
{
    int count = 0;
    while (AsList(proxyFileList)[count] != NULL)
        ++count;
    return count;
}

int ProxyFileInterfaceCount(const void* proxyFileList)
{
    return AsList(proxyFileList)[0]->TableSize;
}

const char* ProxyFileInterfaceName(const void* proxyFileList, int index)
{
    return AsList(proxyFileList)[0]->pNamesArray[index];
}

int ProxyFileLookup(const void* proxyFileList, const IID* iid)
{
    int index = -1;
    if (!AsList(proxyFileList)[0]->pIIDLookupRtn(iid, &index))
        return -1;
    return index;
}
