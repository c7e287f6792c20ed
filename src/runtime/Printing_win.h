#pragma once
// Printing an image of a window on the default printer.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace rt {

enum class PrintResult {
    Printed,
    NoWindow,            // not a window, or minimised: nothing to take an image of
    CaptureFailed,       // the window's image could not be read
    NoDefaultPrinter,    // no printer is installed, or none is the default
    PrinterUnavailable,  // the default printer's device context could not be made
    StartDocFailed,
    PageFailed,  // starting, drawing or ending the page failed; the job was aborted
    EndDocFailed,
};

// The client area of a window as 32-bit pixels, top row first, each 0x00RRGGBB.
struct ClientImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads what the window shows in its client area, its child windows included; nullopt when it cannot.
std::optional<ClientImage> CaptureClientArea(HWND window);

// Prints the client area of `window` on one page of the default printer, at the size it has on the screen
// (scaled down to fit the page when larger). Every failure is returned; nothing is shown to the user.
PrintResult PrintWindowImage(HWND window);

}  // namespace rt
