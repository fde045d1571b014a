#pragma once

#include "item/item.h"

class PropertyPage;

// What the AutoMapping page needs of the sheet it is on: the item as stored and as edited, where
// it lies, and the sheet's commit.
class MappingPageHost {
public:
    virtual const CacheItem& Stored() const = 0;
    virtual CacheItem& Edited() = 0;
    // Inside an AutoMap folder the folder's settings apply, and the item's own are not edited.
    virtual bool InsideAutoMapFolder() const = 0;
    // A page's Apply; false keeps the sheet open.
    virtual bool Apply(const PropertyPage& page) = 0;

protected:
    ~MappingPageHost() = default;
};
