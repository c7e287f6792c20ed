#pragma once
// Small drawing and file routines shared by the menu control, its drawing classes and the image list's
// pages: OLE colour translation, the temporary folder and temporary files, and tiling a picture.
#include "runtime/Graphics_win.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// rt::TranslateColor as a signed number: -1 for a colour the platform cannot translate.
inline std::int32_t TranslateOleColor(rt::OleColor color, HPALETTE palette = nullptr)
{
    return static_cast<std::int32_t>(rt::TranslateColor(color, palette));
}

// The display's bits per pixel, 0 when no display context can be made: what ColorMemory::IsHighColour asks.
int DisplayBitsPerPixel();

// The platform's folder for temporary files, ending in a backslash; when it names none, the program's own
// folder (without the backslash, except at a drive root).
std::wstring TempFolder();

// The full name of a new, empty file in TempFolder, its name built by the platform from the first three
// characters of `prefix`; empty when no file can be made. The caller deletes the file.
std::wstring TempFileName(std::wstring_view prefix);

// Covers (x, y, width, height) of `destination` with copies of the tileWidth x tileHeight picture at (0, 0) of
// `source`, its pattern aligned to the destination and shifted down by offsetY. An empty tile draws nothing.
void TileBitmap(HDC destination, int x, int y, int width, int height, HDC source, int tileWidth, int tileHeight,
                int offsetY);

}  // namespace controls
