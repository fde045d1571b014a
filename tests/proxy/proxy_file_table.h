#pragma once

// Reading the proxy-file table that a proxy/stub library's GetProxyDllInfo returns. mingw's
// <rpcproxy.h> compiles as C only, so the table is read in C and handed over opaque.

#include <guiddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Number of proxy files in the null-terminated list.
int ProxyFileCount(const void* proxyFileList);
// Of the first proxy file: the number of interfaces, the name at index, and the index that its
// IID lookup gives for iid (-1 when it does not know the interface).
int ProxyFileInterfaceCount(const void* proxyFileList);
const char* ProxyFileInterfaceName(const void* proxyFileList, int index);
int ProxyFileLookup(const void* proxyFileList, const IID* iid);

#ifdef __cplusplus
}
#endif
