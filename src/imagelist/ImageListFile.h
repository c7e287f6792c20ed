#pragma once
// The image-list file and the key text that both stores of an image list carry.
//
// The file: the magic 0x5745E456, the writer's version, N, N bytes of icon records, L, L bytes of key text
// (little-endian 32-bit numbers); an L of 0 or below means no keys. An older form has no magic and no version:
// it starts with N and its records are 24-bit (version 0). The key text holds every key followed by the byte
// 255; the file's text ends with one more 255, the property set's has its last 255 removed.
//
// Reading checks every count and length against the bytes that remain before taking anything, so a short or
// corrupt file gives an error and no content.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace imagelist {

constexpr std::uint32_t kFileMagic = 0x5745E456;
constexpr wchar_t kKeySeparator = 0xFF;  // the byte 255 of the ANSI key text, U+00FF in the property set

struct ImageListContent {
    std::int32_t version = 0;
    std::vector<std::uint8_t> records;
    std::string keyText;  // ANSI bytes
};

enum class FileError {
    NoImageData,  // N is 0 or negative
    Truncated,    // N, L or their bytes run past the end
};

std::vector<std::uint8_t> EncodeFile(std::int32_t version, std::span<const std::uint8_t> records,
                                     std::string_view keyText);
std::variant<ImageListContent, FileError> DecodeFile(std::span<const std::uint8_t> file);

// The pieces of a key text split at every separator; a separator at the very end closes the last piece and
// starts no new one. An empty text has no pieces.
template <class Char> std::vector<std::basic_string<Char>> SplitKeys(std::basic_string_view<Char> text, Char separator)
{
    std::vector<std::basic_string<Char>> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(separator, start);
        if (end == std::basic_string_view<Char>::npos) {
            pieces.emplace_back(text.substr(start));
            break;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

// Every key followed by the separator; the file form then adds one more separator, the property-set form
// drops the last one.
enum class KeyTextForm { File, PropertySet };
template <class Char>
std::basic_string<Char> JoinKeys(const std::vector<std::basic_string<Char>>& keys, Char separator, KeyTextForm form)
{
    std::basic_string<Char> text;
    for (const auto& key : keys) {
        text += key;
        text += separator;
    }
    if (form == KeyTextForm::File)
        text += separator;
    else if (!text.empty())
        text.pop_back();
    return text;
}

// Bytes to reserve for collecting `count` records of width x height at `version`: enough for every record,
// whatever the icon size (nothing when the size is unusable).
std::optional<std::size_t> StagingSize(std::size_t count, std::int32_t width, std::int32_t height,
                                       std::int32_t version);

}  // namespace imagelist
