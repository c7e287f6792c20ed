#include "imagelist/ImageListFile.h"

#include "imagelist/IconRecord.h"

#include <limits>

namespace imagelist {

namespace {

void Append32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// Reads the next 32-bit number; nothing when fewer than 4 bytes remain.
std::optional<std::int32_t> Take32(std::span<const std::uint8_t> file, std::size_t& at)
{
    if (file.size() - at < 4)
        return std::nullopt;
    const std::uint32_t v = static_cast<std::uint32_t>(file[at]) | static_cast<std::uint32_t>(file[at + 1]) << 8 |
                            static_cast<std::uint32_t>(file[at + 2]) << 16 |
                            static_cast<std::uint32_t>(file[at + 3]) << 24;
    at += 4;
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::vector<std::uint8_t> EncodeFile(std::int32_t version, std::span<const std::uint8_t> records,
                                     std::string_view keyText)
{
    std::vector<std::uint8_t> out;
    out.reserve(16 + records.size() + keyText.size());
    Append32(out, kFileMagic);
    Append32(out, static_cast<std::uint32_t>(version));
    Append32(out, static_cast<std::uint32_t>(records.size()));
    out.insert(out.end(), records.begin(), records.end());
    Append32(out, static_cast<std::uint32_t>(keyText.size()));
    out.insert(out.end(), keyText.begin(), keyText.end());
    return out;
}

std::variant<ImageListContent, FileError> DecodeFile(std::span<const std::uint8_t> file)
{
    ImageListContent content;
    std::size_t at = 0;
    const auto first = Take32(file, at);
    if (!first)
        return FileError::Truncated;
    std::int32_t n = *first;
    if (static_cast<std::uint32_t>(*first) == kFileMagic) {
        const auto version = Take32(file, at);
        const auto count = Take32(file, at);
        if (!version || !count)
            return FileError::Truncated;
        content.version = *version;
        n = *count;
    }
    if (n <= 0)
        return FileError::NoImageData;
    if (file.size() - at < static_cast<std::size_t>(n))
        return FileError::Truncated;
    content.records.assign(file.begin() + static_cast<std::ptrdiff_t>(at),
                           file.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(n)));
    at += static_cast<std::size_t>(n);
    if (at == file.size())
        return content;  // no key part: no keys
    const auto length = Take32(file, at);
    if (!length)
        return FileError::Truncated;
    if (*length <= 0)
        return content;  // a length of 0 or below: the images have no keys
    if (file.size() - at < static_cast<std::size_t>(*length))
        return FileError::Truncated;
    content.keyText.assign(reinterpret_cast<const char*>(file.data() + at), static_cast<std::size_t>(*length));
    return content;
}

std::optional<std::size_t> StagingSize(std::size_t count, std::int32_t width, std::int32_t height,
                                       std::int32_t version)
{
    const auto record = RecordSize(width, height, version);
    if (!record || (count != 0 && *record > std::numeric_limits<std::size_t>::max() / count))
        return std::nullopt;
    return *record * count;
}

}  // namespace imagelist
