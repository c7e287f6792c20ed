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
    Bitmap,        // a .bmp/.dib file given to the image loader as a bitmap
    IconOrCursor,  // given to the image loader as an icon or a cursor: an icon directory or an animated cursor
    Picture,       // given to the picture loader: a bitmap, GIF, JPEG, PNG or plain icon file
};

// True when `file` may be given to the platform's reader of `kind`:
// - Bitmap: a .bmp with a core or info (40, 108, 124-byte) header, uncompressed, bit fields or run-length
//   coded, its palette, masks and pixels (every run of them) inside the file;
// - IconOrCursor: an icon directory whose images are bitmaps (colour and mask rows) or PNGs of at most 256
//   pixels a side, or an animated cursor (RIFF "ACON") of 1 to 1,024 frames and steps whose frames are such
//   icon files;
// - Picture: a bitmap as above, a GIF, JPEG (Huffman-coded, 8 bits) or PNG, or an icon file (type 1) of
//   bitmap images only. Cursors, animations, PNG icons, metafiles and anything else are refused.
// No image may hold more than 2^25 pixels; a JPEG also needs entropy-coded data in some proportion to them.
bool ImageFileHoldsTogether(ImageFileKind kind, std::span<const std::uint8_t> file);

}  // namespace rt
