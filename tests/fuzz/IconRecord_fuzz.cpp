// Arbitrary bytes as a run of icon records, read at both colour layouts: the walk must move forward, stay
// inside the data, and every record it finds must decode and encode back to a record of the same size.
#include "imagelist/IconRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    for (std::int32_t version : {imagelist::kProgramVersion, 0}) {
        std::size_t previous = 0;
        bool first = true;
        for (std::size_t offset : imagelist::RecordOffsets(bytes, version)) {
            if (!first && offset <= previous)
                std::abort();
            first = false;
            previous = offset;
            const auto record = imagelist::MeasureRecord(bytes, offset, version);
            if (!record || record->size() > size - offset)
                std::abort();
            const auto pixels = imagelist::DecodeRecord(bytes, offset, version);
            if (!pixels)
                std::abort();
            const auto again = imagelist::EncodeRecord(*pixels, version);
            if (!again || again->size() != imagelist::RecordSize(pixels->width, pixels->height, version))
                std::abort();
        }
    }
    return 0;
}
