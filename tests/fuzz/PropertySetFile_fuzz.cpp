// Arbitrary bytes through the property-set reader; whatever it accepts must write back to a set that reads
// as the same values.
#include "runtime/PropertySetFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto decoded = rt::DecodePropertySet({data, size});
    auto* bag = std::get_if<rt::PropertyBag>(&decoded);
    if (!bag)
        return 0;
    auto encoded = rt::EncodePropertySet(*bag);
    auto* bytes = std::get_if<rt::ByteArray>(&encoded);
    if (!bytes)
        std::abort();
    auto again = rt::DecodePropertySet(*bytes);
    auto* back = std::get_if<rt::PropertyBag>(&again);
    if (!back || !(*back == *bag))
        std::abort();
    return 0;
}
