#pragma once
// Checks the structure of an image file before the platform's own reader sees it. The platform's readers
// trust every header field (under Wine a hostile file can fault or hang them), so a file is handed on only
// when its headers agree with each other and with the file's size and its dimensions and counts are within
// sensible bounds; anything else counts as a file that does not load.
#include <cstdint>
#include <span>

namespace rt {

// What a file is about to be read as.
enum class ImageFileKind {
    Bitmap,         // a .bmp/.dib file given to the image loader as a bitmap
    IconOrCursor,   // given to the image loader as an icon or a cursor: an icon directory or an animated cursor
    Picture,        // given to the picture loader: a bitmap, GIF, JPEG or PNG file
};

// True when `file` may be given to the platform's reader of `kind`.
bool ImageFileHoldsTogether(ImageFileKind kind, std::span<const std::uint8_t> file);

}  // namespace rt
