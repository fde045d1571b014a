#pragma once

// The SLP user-agent API (the C interface of RFC 2614) for finding services and reading their
// attributes. Requests go out as SLPv2 datagrams: by multicast to the local administrative scope
// and by unicast to the agents configured in the registry. A reply too large for a datagram is
// fetched again over TCP.

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    SLP_LAST_CALL = 1,
    SLP_OK = 0,
    SLP_LANGUAGE_NOT_SUPPORTED = -1,
    SLP_PARSE_ERROR = -2,
    SLP_INVALID_REGISTRATION = -3,
    SLP_SCOPE_NOT_SUPPORTED = -4,
    SLP_AUTHENTICATION_ABSENT = -6,
    SLP_AUTHENTICATION_FAILED = -7,
    SLP_INVALID_UPDATE = -13,
    SLP_REFRESH_REJECTED = -15,
    SLP_NOT_IMPLEMENTED = -17,
    SLP_BUFFER_OVERFLOW = -18,
    SLP_NETWORK_TIMED_OUT = -19,
    SLP_NETWORK_INIT_FAILED = -20,
    SLP_MEMORY_ALLOC_FAILED = -21,
    SLP_PARAMETER_BAD = -22,
    SLP_NETWORK_ERROR = -23,
    SLP_INTERNAL_SYSTEM_ERROR = -24,
    SLP_HANDLE_IN_USE = -25,
    SLP_TYPE_ERROR = -26
} SLPError;

typedef enum { SLP_FALSE = 0, SLP_TRUE = 1 } SLPBoolean;

typedef struct SLPHandleState* SLPHandle;

// Called once per service URL found, then once more with SLP_LAST_CALL (and a null URL).
// Returning SLP_FALSE ends the request; no further call follows.
typedef SLPBoolean SLPSrvURLCallback(SLPHandle hSLP, const char* pcSrvURL, unsigned short sLifetime,
                                     SLPError errCode, void* pvCookie);

// Called once per attribute list received, then once more with SLP_LAST_CALL (and a null list).
typedef SLPBoolean SLPAttrCallback(SLPHandle hSLP, const char* pcAttrList, SLPError errCode,
                                   void* pvCookie);

// Opens a handle for requests in the language pcLang ("" or null: "en"). An asynchronous handle
// (isAsync SLP_TRUE) runs each request on a thread of the library and returns at once; a
// synchronous one runs it in the calling thread. A handle serves one request at a time.
SLPError SLPOpen(const char* pcLang, SLPBoolean isAsync, SLPHandle* phSLP);

// Ends the handle's request, if one is running, and frees the handle. Must not be called from
// inside one of the handle's own callbacks.
void SLPClose(SLPHandle hSLP);

SLPError SLPFindSrvs(SLPHandle hSLP, const char* pcServiceType, const char* pcScopeList,
                     const char* pcSearchFilter, SLPSrvURLCallback* callback, void* pvCookie);

// pcAttrIds: comma-separated attribute tags to ask for; "" asks for all of them.
SLPError SLPFindAttrs(SLPHandle hSLP, const char* pcURLOrServiceType, const char* pcScopeList,
                      const char* pcAttrIds, SLPAttrCallback* callback, void* pvCookie);

#ifdef __cplusplus
}
#endif
