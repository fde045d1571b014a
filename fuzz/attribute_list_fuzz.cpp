// Attribute lists come from any host that answers on the network.

#include "attribute_list.h"
#include "slp_escapes.h"
#include "utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The list reaches the parser as a C string, as the SLP callback hands it over.
    const std::string list(reinterpret_cast<const char*>(data), size);
    for (const AttributeText& attribute : ParseAttributeList(list.c_str())) {
        // A value is decoded only where there is a raw value to decode.
        if (attribute.firstValue && !attribute.rawValue)
            std::abort();
    }
    // Resolving escapes never lengthens a text; one byte of UTF-8 never makes two code units.
    if (const auto resolved = ResolveEscapes(list)) {
        if (resolved->size() > list.size())
            std::abort();
    }
    if (const auto wide = Utf8ToWide(list)) {
        if (wide->size() > list.size())
            std::abort();
    }
    return 0;
}
