// Success-severity results of the search module (facility 4, interface-specific). They pass
// SUCCEEDED(); callers compare them by exact value after that test.
#ifndef NS_RESULT_CODES_H
#define NS_RESULT_CODES_H

#include <windows.h>

#define NSS_S_AUTO_QUICK_BUSY       ((HRESULT)0x00042000L)
#define NSS_S_AUTO_FULL_BUSY        ((HRESULT)0x00042001L)
#define NSS_S_USER_QUICK_BUSY       ((HRESULT)0x00042002L)
#define NSS_S_USER_FULL_BUSY        ((HRESULT)0x00042003L)
#define NSS_S_NAME_EXISTS           ((HRESULT)0x00042004L)
#define NSS_S_ACCESS_DENIED         ((HRESULT)0x00042005L)
#define NSS_S_ADD_DENIED            ((HRESULT)0x00042006L)
#define NSS_S_TARGET_IS_SUBFOLDER   ((HRESULT)0x00042007L)
#define NSS_S_NOT_DELETABLE         ((HRESULT)0x00042008L)
#define NSS_S_NOT_ADDED             ((HRESULT)0x00042009L)
#define NSS_S_COPY_MOVE_FAILED      ((HRESULT)0x0004200AL)
#define NSS_S_NOT_UPDATED           ((HRESULT)0x0004200BL)
#define NSS_S_NOT_FOUND             ((HRESULT)0x0004200CL)

#endif
