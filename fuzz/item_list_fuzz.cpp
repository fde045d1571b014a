// The item list comes from the clipboard or a drag, where any program may put bytes under our
// format names.

#include "transfer/item_list_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto list = item_list_codec::Decode(data, size);
    if (!list)
        return 0;
    if (list->Items.empty())
        std::abort();
    // A stream that decodes is exactly what the encoder writes for its list: nothing in it was
    // skipped or guessed.
    const auto bytes = item_list_codec::Encode(*list);
    if (!bytes || bytes->size() != size || (size != 0 && std::memcmp(bytes->data(), data, size) != 0))
        std::abort();
    const auto again = item_list_codec::Decode(bytes->data(), bytes->size());
    if (!again || !(*again == *list))
        std::abort();
    return 0;
}
