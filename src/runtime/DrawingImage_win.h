#pragma once
// The persistent drawing image of a window the program paints itself (user controls, property pages): a
// memory bitmap the size of the client area that drawing goes to and that the window shows whenever it is
// painted. It keeps its text colour and font between draws; text is drawn over what is already there.
#include "runtime/Handles_win.h"
#include "runtime/MemoryBitmap_win.h"

#include <windows.h>

namespace rt {

class DrawingImage {
public:
    DrawingImage() = default;
    DrawingImage(const DrawingImage&) = delete;
    DrawingImage& operator=(const DrawingImage&) = delete;
    ~DrawingImage() { Release(); }

    // Makes the image's device context (without a bitmap until Resize).
    void Create(HFONT font, COLORREF textColor);
    void Release();
    explicit operator bool() const { return static_cast<bool>(image_); }

    HDC dc() const { return image_.dc(); }
    SIZE size() const { return size_; }
    void SetFont(HFONT font);
    void SetTextColor(COLORREF color);

    // Gives the image `pixels` (at least one pixel each way), cleared to `back`; false when the size was
    // already that.
    bool Resize(SIZE pixels, COLORREF back);
    void Clear(COLORREF back);
    // Answers what the window is asked to paint (erasing, WM_PAINT, WM_PRINTCLIENT) from the image; false
    // for every other message.
    bool PaintMessage(HWND hwnd, UINT message, WPARAM wParam, LRESULT& result) const;

private:
    MemoryBitmap image_;
    SelectScope font_;  // after the image: the font leaves the context before the context goes
    SIZE size_{};
};

}  // namespace rt
