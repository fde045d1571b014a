#include "mapping/disc_opening.h"

#include "mapping/drive_connection.h"
#include "mapping/media_mapping.h"
#include "namespace/namespace_functions.h"

std::string DiscNetworkPath(const CacheItem& disc)
{
    return disc.Location + "\\" + (disc.OriginalName.empty() ? disc.Name : disc.OriginalName);
}

std::optional<std::string> MapDiscForOpening(const CacheItem& disc, const CacheItem& settings)
{
    const std::string networkPath = DiscNetworkPath(disc);
    CacheItem mapped(disc);
    mapped.AutoMapping = settings.AutoMapping;
    mapped.DriveLetter = settings.DriveLetter;
    mapped.MultipleMapping = settings.MultipleMapping;
    MediaMapping mapping(&mapped, networkPath);
    if (!mapping.AutoMediaMapping()) {
        mapping.RestoreMediaMappings();
        return std::nullopt;
    }
    const std::string localName = mapping.OwnDiscLocalName();
    return localName.empty() ? networkPath : RootPathOf(localName);
}

bool OpenDiscMapped(const CacheItem& disc, const CacheItem& settings, bool explore)
{
    const std::optional<std::string> target = MapDiscForOpening(disc, settings);
    if (!target)
        return false;
    NamespaceFunctions::LaunchExplorer(explore ? "/e,/root," + *target : *target);
    return true;
}
