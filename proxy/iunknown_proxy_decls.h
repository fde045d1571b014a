/*
 * Force-included into the generated proxy code. The proxy tables name the IUnknown proxy
 * routines of rpcrt4, which mingw's <unknwn.h> declares for C++ only.
 */
#ifndef IUNKNOWN_PROXY_DECLS_H
#define IUNKNOWN_PROXY_DECLS_H

#include <unknwn.h>

#ifndef __cplusplus
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown *This, REFIID riid, void **ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown *This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown *This);
#endif

#endif
