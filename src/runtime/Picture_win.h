#pragma once
// A picture object: a bitmap or an icon with its size. Property sets hold pictures by shared pointer
// (PicturePtr), so a picture lives as long as any control or set that holds it.
#include "runtime/Handles_win.h"
#include "runtime/PropertyBag.h"

#include <windows.h>

#include <string>
#include <variant>

namespace rt {

enum class PictureType { Bitmap = 1, Icon = 3 };

class Picture {
public:
    // Takes ownership of the handle; nullptr when there is none or its size cannot be read.
    static PicturePtr FromBitmap(BitmapHandle bitmap);
    static PicturePtr FromIcon(IconHandle icon);
    // An icon the caller keeps alive for the picture's life (a shared resource icon).
    static PicturePtr FromSharedIcon(HICON icon);

    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();

    PictureType Type() const { return type_; }
    HBITMAP Bitmap() const { return type_ == PictureType::Bitmap ? static_cast<HBITMAP>(handle_) : nullptr; }
    HICON Icon() const { return type_ == PictureType::Icon ? static_cast<HICON>(handle_) : nullptr; }
    HANDLE Handle() const { return handle_; }
    // Size in HIMETRIC units (0.01 mm), as picture objects report it.
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    Picture(PictureType type, HANDLE handle, bool owned, SIZE pixels);

    PictureType type_;
    HANDLE handle_;
    bool owned_;
    int width_;
    int height_;
};

enum class PictureLoadError { FileNotFound, InvalidPicture };

// Reads a picture file through the platform's picture loader: bitmaps, icons and cursors become pictures of
// their kind, and formats the loader draws as bitmaps (GIF, JPEG, PNG) become bitmaps.
std::variant<PicturePtr, PictureLoadError> LoadPicture(const std::wstring& fileName);

// HIMETRIC <-> screen pixels, rounded to the nearest.
int HimetricToPixelsX(int himetric);
int HimetricToPixelsY(int himetric);

}  // namespace rt
