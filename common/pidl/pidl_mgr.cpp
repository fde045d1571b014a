#include "pidl/pidl_mgr.h"

#include "res/string_ids.h"
#include "resources/texts.h"

#include <shlobj.h>

#include <climits>
#include <cstring>

namespace {

const std::uint8_t* Bytes(LPCITEMIDLIST list) { return reinterpret_cast<const std::uint8_t*>(list); }

// The display text of a folder kind; anything else shows as a disc folder.
UINT TypeTextId(ListItemType type)
{
    switch (type) {
    case RootFolder:
        return IDS_TYPE_ROOT_FOLDER;
    case UserFolder:
        return IDS_TYPE_USER_FOLDER;
    case MappedFolder:
        return IDS_TYPE_AUTOMAP_FOLDER;
    case PublicUserFolder:
        return IDS_TYPE_PUBLIC_FOLDER;
    case PublicMappedFolder:
        return IDS_TYPE_PUBLIC_AUTOMAP_FOLDER;
    default:
        return IDS_TYPE_DISC_FOLDER;
    }
}

unsigned int Give(const std::string& value, std::string& out)
{
    out = value;
    return static_cast<unsigned int>(out.size());
}

}  // namespace

PidlMgr::PidlMgr()
{
    // Without the shell's allocator the COM task allocator functions, which are the same heap,
    // do the work.
    if (FAILED(::SHGetMalloc(&malloc_)))
        malloc_ = nullptr;
}

PidlMgr::PidlMgr(const PidlMgr& other) : malloc_(other.malloc_)
{
    if (malloc_)
        malloc_->AddRef();
}

PidlMgr& PidlMgr::operator=(const PidlMgr& other)
{
    if (other.malloc_)
        other.malloc_->AddRef();
    if (malloc_)
        malloc_->Release();
    malloc_ = other.malloc_;
    return *this;
}

PidlMgr::~PidlMgr()
{
    if (malloc_)
        malloc_->Release();
}

void* PidlMgr::Allocate(std::size_t size) const
{
    return malloc_ ? malloc_->Alloc(size) : ::CoTaskMemAlloc(size);
}

void PidlMgr::Delete(LPITEMIDLIST list) const
{
    if (!list)
        return;
    if (malloc_)
        malloc_->Free(list);
    else
        ::CoTaskMemFree(list);
}

LPITEMIDLIST PidlMgr::Create(const CacheItem& item, const std::string& path) const
{
    PidlData data;
    data.ItemType = item.ItemType;
    data.HasSubFolders = item.HasSubFolders != 0;
    data.Name = item.Name;
    data.FolderPath = path;
    data.Comment = item.Comment;
    data.DriveLetter = item.DriveLetter;
    const auto size = data.GetSize();
    return size ? Create(data, *size) : nullptr;
}

LPITEMIDLIST PidlMgr::Create(const PidlData& data, std::uint16_t size) const
{
    const std::size_t bytes = std::size_t{size} + 6;
    void* list = Allocate(bytes);
    if (!list)
        return nullptr;
    if (!pidl_codec::EncodeList(data, size, static_cast<std::uint8_t*>(list), bytes)) {
        Delete(static_cast<LPITEMIDLIST>(list));
        return nullptr;
    }
    return static_cast<LPITEMIDLIST>(list);
}

unsigned int PidlMgr::GetSize(LPCITEMIDLIST list, std::size_t maxBytes)
{
    const auto layout = pidl_codec::WalkList(Bytes(list), maxBytes);
    if (!layout || layout->itemBytes > UINT_MAX - pidl_codec::kEndMark)
        return 0;
    return static_cast<unsigned int>(layout->itemBytes + pidl_codec::kEndMark);
}

LPITEMIDLIST PidlMgr::GetLastItem(LPCITEMIDLIST list, std::size_t maxBytes)
{
    const auto layout = pidl_codec::WalkList(Bytes(list), maxBytes);
    if (!layout || layout->itemCount == 0)
        return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<std::uint8_t*>(Bytes(list)) + layout->lastItem);
}

bool PidlMgr::IsValid(LPCITEMIDLIST list, std::size_t maxBytes)
{
    return pidl_codec::DecodeLastItem(Bytes(list), maxBytes).has_value();
}

LPITEMIDLIST PidlMgr::Copy(LPCITEMIDLIST list, std::size_t maxBytes) const
{
    const unsigned int size = GetSize(list, maxBytes);
    if (size == 0)
        return nullptr;
    auto* copy = static_cast<std::uint8_t*>(Allocate(size));
    if (!copy)
        return nullptr;
    // The items and the zero count; a list from elsewhere need not have the third zero byte.
    std::memcpy(copy, list, size - 1);
    copy[size - 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

LPITEMIDLIST PidlMgr::Concatenate(LPCITEMIDLIST first, LPCITEMIDLIST second) const
{
    if (!first)
        return Copy(second);
    if (!second)
        return Copy(first);
    const unsigned int firstSize = GetSize(first);
    const unsigned int secondSize = GetSize(second);
    if (firstSize == 0 || secondSize == 0)
        return nullptr;
    const std::size_t firstItems = firstSize - pidl_codec::kEndMark;
    const std::size_t bytes = firstItems + secondSize;
    auto* joined = static_cast<std::uint8_t*>(Allocate(bytes));
    if (!joined)
        return nullptr;
    std::memcpy(joined, first, firstItems);
    std::memcpy(joined + firstItems, second, secondSize - 1);
    joined[bytes - 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(joined);
}

bool PidlMgr::GetDataPointer(LPCITEMIDLIST list, PidlData& data, std::size_t maxBytes)
{
    auto decoded = pidl_codec::DecodeLastItem(Bytes(list), maxBytes);
    if (!decoded)
        return false;
    data = std::move(*decoded);
    return true;
}

unsigned int PidlMgr::GetItemName(LPCITEMIDLIST list, std::string& name, std::size_t maxBytes)
{
    PidlData data;
    GetDataPointer(list, data, maxBytes);
    return Give(data.Name, name);
}

unsigned int PidlMgr::GetItemPath(LPCITEMIDLIST list, std::string& path, std::size_t maxBytes)
{
    PidlData data;
    GetDataPointer(list, data, maxBytes);
    return Give(data.FolderPath, path);
}

unsigned int PidlMgr::GetItemComment(LPCITEMIDLIST list, std::string& comment, std::size_t maxBytes)
{
    PidlData data;
    GetDataPointer(list, data, maxBytes);
    return Give(data.Comment, comment);
}

unsigned int PidlMgr::GetItemDriveLetter(LPCITEMIDLIST list, std::string& driveLetter, std::size_t maxBytes)
{
    PidlData data;
    GetDataPointer(list, data, maxBytes);
    return Give(data.DriveLetter, driveLetter);
}

unsigned int PidlMgr::GetItemFullName(LPCITEMIDLIST list, std::string& fullName, std::size_t maxBytes)
{
    PidlData data;
    GetDataPointer(list, data, maxBytes);
    if (!data.FolderPath.empty())
        data.FolderPath += '\\';
    return Give(data.FolderPath + data.Name, fullName);
}

ListItemType PidlMgr::GetItemType(LPCITEMIDLIST list, std::size_t maxBytes)
{
    PidlData data;
    if (!GetDataPointer(list, data, maxBytes))
        return NoItemType;
    return static_cast<ListItemType>(data.ItemType);
}

bool PidlMgr::HasSubFolders(LPCITEMIDLIST list, std::size_t maxBytes)
{
    PidlData data;
    return GetDataPointer(list, data, maxBytes) && data.HasSubFolders;
}

bool PidlMgr::IsSystemFolder(LPCITEMIDLIST list, std::size_t maxBytes)
{
    return GetItemType(list, maxBytes) == SystemFolder;
}

bool PidlMgr::IsAdminFolder(LPCITEMIDLIST list, std::size_t maxBytes)
{
    const ListItemType type = GetItemType(list, maxBytes);
    return type == PublicUserFolder || type == PublicMappedFolder;
}

bool PidlMgr::IsFolderItem(LPCITEMIDLIST list, std::size_t maxBytes)
{
    switch (GetItemType(list, maxBytes)) {
    case SystemFolder:
    case UserFolder:
    case RootFolder:
    case MappedFolder:
    case PublicUserFolder:
    case PublicMappedFolder:
        return true;
    default:
        return false;
    }
}

bool PidlMgr::IsMediaItem(LPCITEMIDLIST list, std::size_t maxBytes)
{
    const ListItemType type = GetItemType(list, maxBytes);
    return type == CdRomDisc || type == JazDisc;
}

bool PidlMgr::AreEqual(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    if (first == second)
        return true;
    return pidl_codec::ListsEqual(Bytes(first), pidl_codec::kNoBound, Bytes(second), pidl_codec::kNoBound);
}

bool PidlMgr::PidlToCacheItem(LPCITEMIDLIST list, CacheItem& item, std::size_t maxBytes)
{
    PidlData data;
    if (!GetDataPointer(list, data, maxBytes))
        return false;
    const auto type = static_cast<ListItemType>(data.ItemType);
    item.Name = data.Name;
    item.OriginalName = data.Name;
    item.ItemType = type;
    item.Comment = std::move(data.Comment);
    item.DriveLetter = std::move(data.DriveLetter);
    item.FolderPath = std::move(data.FolderPath);
    item.Type = CommonText(TypeTextId(type));
    return true;
}
