#pragma once
// Where the program's push button puts its caption and picture, and which access key its caption marks.
// Sizes are client pixels; every division truncates toward zero.
#include <string>

namespace controls {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    PixelRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Picture positions relative to the caption.
inline constexpr int kPictureLeft = 0;
inline constexpr int kPictureRight = 1;
inline constexpr int kPictureAbove = 2;
inline constexpr int kPictureBelow = 3;
inline constexpr int kPictureBehind = 4;

// The position the layout and drawing use: a value outside 0 to 4 stands for 4 (the picture centred behind
// the caption), the one layout that needs no room beside the caption.
int EffectivePicturePosition(int position);

// The box the caption is measured in (word-wrapped), for a client of width x height and a picture of
// pictureWidth x pictureHeight.
PixelRect CaptionStartBox(int position, int width, int height, int pictureWidth, int pictureHeight);

// CaptionRect: the measured box (left and top of the start box, right and bottom of the measured text) moved
// so that caption and picture together are centred.
PixelRect PlaceCaption(int position, int width, int height, int pictureWidth, int pictureHeight,
                       const PixelRect& measured);

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Top-left corner of the picture: beside the caption, or centred when the caption is blank (only spaces) or
// the position is 4.
PixelPoint PlacePicture(int position, int width, int height, int pictureWidth, int pictureHeight,
                        const PixelRect& captionRect, bool captionBlank);

// True when the caption is empty once leading and trailing spaces are removed.
bool IsBlankCaption(const std::wstring& caption);

// The access key a caption marks, lower-cased, or 0: the character after the first "&"; when that "&" starts
// an "&&", the character after the next "&" instead, unless that one starts an "&&" too or ends the caption.
wchar_t ButtonAccessKey(const std::wstring& caption);

}  // namespace controls
