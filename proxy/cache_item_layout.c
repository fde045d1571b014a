/*
 * The record's memory layout is fixed: 40 bytes of 4-byte fields on 32-bit Windows, where the
 * suite ships; on 64-bit Windows the seven pointers grow to 8 bytes. The wire form is the same
 * either way. A change to the .idl that moves a field fails the build here.
 */
#include <stddef.h>
#include "nsinterfaces.h"

#define POINTER_FIELD_OFFSET(index) ((index) * sizeof(void *))
#define LONG_FIELD_OFFSET(index) (7 * sizeof(void *) + (index) * sizeof(LONG))

_Static_assert(sizeof(LONG) == 4, "LONG fields are 32-bit");
_Static_assert(offsetof(CacheItemStruct, Name) == POINTER_FIELD_OFFSET(0), "Name");
_Static_assert(offsetof(CacheItemStruct, OriginalName) == POINTER_FIELD_OFFSET(1), "OriginalName");
_Static_assert(offsetof(CacheItemStruct, Type) == POINTER_FIELD_OFFSET(2), "Type");
_Static_assert(offsetof(CacheItemStruct, Comment) == POINTER_FIELD_OFFSET(3), "Comment");
_Static_assert(offsetof(CacheItemStruct, Location) == POINTER_FIELD_OFFSET(4), "Location");
_Static_assert(offsetof(CacheItemStruct, FolderPath) == POINTER_FIELD_OFFSET(5), "FolderPath");
_Static_assert(offsetof(CacheItemStruct, IconFile) == POINTER_FIELD_OFFSET(6), "IconFile");
_Static_assert(offsetof(CacheItemStruct, ItemType) == LONG_FIELD_OFFSET(0), "ItemType");
_Static_assert(offsetof(CacheItemStruct, HasSubFolders) == LONG_FIELD_OFFSET(1), "HasSubFolders");
_Static_assert(offsetof(CacheItemStruct, IconIndex) == LONG_FIELD_OFFSET(2), "IconIndex");
#ifdef _WIN64
_Static_assert(sizeof(CacheItemStruct) == 72, "record size on 64-bit Windows");
#else
_Static_assert(sizeof(CacheItemStruct) == 40, "record size on 32-bit Windows");
#endif
