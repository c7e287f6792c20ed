// Arbitrary bytes as an image-list file: whatever reads must write back to a file that reads the same, and
// its key text must split into pieces that join back to it.
#include "imagelist/ImageListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto read = imagelist::DecodeFile(std::span<const std::uint8_t>(data, size));
    const auto* content = std::get_if<imagelist::ImageListContent>(&read);
    if (!content)
        return 0;
    if (content->records.empty() || content->records.size() + content->keyText.size() > size)
        std::abort();
    const auto again = imagelist::DecodeFile(imagelist::EncodeFile(content->version, content->records, content->keyText));
    const auto* back = std::get_if<imagelist::ImageListContent>(&again);
    if (!back || back->version != content->version || back->records != content->records ||
        back->keyText != content->keyText)
        std::abort();
    const auto pieces = imagelist::SplitKeys<char>(content->keyText, '\xFF');
    std::string joined;
    for (const auto& piece : pieces)
        joined += piece + '\xFF';
    // A text that ends in the separator splits into the same pieces as without that last separator.
    if (joined != content->keyText && joined != content->keyText + '\xFF')
        std::abort();
    return 0;
}
