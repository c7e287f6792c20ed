#include "runtime/Printing_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/MemoryBitmap_win.h"
#include "runtime/Resources_win.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace rt {

namespace {

using GetDefaultPrinterFunction = BOOL(WINAPI*)(LPWSTR, LPDWORD);

// The spooler is loaded at the first print, not imported: loading it (under Wine it reads the system's printers
// then) would cost every start of the program.
GetDefaultPrinterFunction GetDefaultPrinterEntry()
{
    static const GetDefaultPrinterFunction entry = [] {
        HMODULE spooler = LoadLibraryW(L"winspool.drv");
        if (!spooler) {
            RT_LOG_LAST_ERROR("LoadLibraryW");
            return GetDefaultPrinterFunction{};
        }
        auto found = reinterpret_cast<GetDefaultPrinterFunction>(
            reinterpret_cast<void*>(GetProcAddress(spooler, "GetDefaultPrinterW")));
        if (!found)
            RT_LOG_LAST_ERROR("GetProcAddress");
        return found;
    }();
    return entry;
}

std::optional<std::wstring> DefaultPrinterName()
{
    const GetDefaultPrinterFunction defaultPrinter = GetDefaultPrinterEntry();
    if (!defaultPrinter)
        return std::nullopt;
    DWORD size = 0;
    defaultPrinter(nullptr, &size);  // only asks for the size; fails with "insufficient buffer"
    if (size == 0) {
        RT_LOG_LAST_ERROR("GetDefaultPrinterW");
        return std::nullopt;
    }
    std::wstring name(size, L'\0');
    if (!defaultPrinter(name.data(), &size)) {
        RT_LOG_LAST_ERROR("GetDefaultPrinterW");
        return std::nullopt;
    }
    name.resize(std::wcslen(name.c_str()));
    return name;
}

// Draws the image on one page: its screen size converted to the printer's resolution, shrunk to the page.
PrintResult PrintPage(HDC printer, const ClientImage& image, int screenDpiX, int screenDpiY)
{
    const std::wstring title = AppTitle();
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocW(printer, &doc) <= 0) {
        RT_LOG_LAST_ERROR("StartDocW");
        return PrintResult::StartDocFailed;
    }
    const double scaleX = GetDeviceCaps(printer, LOGPIXELSX) / static_cast<double>(screenDpiX);
    const double scaleY = GetDeviceCaps(printer, LOGPIXELSY) / static_cast<double>(screenDpiY);
    double width = image.width * scaleX;
    double height = image.height * scaleY;
    const double fit =
        std::min({1.0, GetDeviceCaps(printer, HORZRES) / width, GetDeviceCaps(printer, VERTRES) / height});
    width *= fit;
    height *= fit;
    const BITMAPINFO info = TopDownInfo(image.width, image.height);
    bool drawn = false;
    if (StartPage(printer) > 0) {
        SetStretchBltMode(printer, HALFTONE);
        SetBrushOrgEx(printer, 0, 0, nullptr);  // HALFTONE needs the brush origin reset
        const int lines = StretchDIBits(printer, 0, 0, static_cast<int>(width), static_cast<int>(height), 0, 0,
                                        image.width, image.height, image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        drawn = lines != 0 && lines != static_cast<int>(GDI_ERROR) && EndPage(printer) > 0;
    }
    if (!drawn) {
        RT_LOG_LAST_ERROR("StartPage/StretchDIBits/EndPage");
        AbortDoc(printer);
        return PrintResult::PageFailed;
    }
    if (EndDoc(printer) <= 0) {
        RT_LOG_LAST_ERROR("EndDoc");
        return PrintResult::EndDocFailed;
    }
    return PrintResult::Printed;
}

}  // namespace

std::optional<ClientImage> CaptureClientArea(HWND window)
{
    RECT client;
    if (!IsWindow(window) || IsIconic(window) || !GetClientRect(window, &client) || client.right <= 0 ||
        client.bottom <= 0)
        return std::nullopt;
    ClientImage image;
    image.width = client.right;
    image.height = client.bottom;
    WindowDc screen(window);
    MemoryDcHandle memory(CreateCompatibleDC(screen.get()));
    const BITMAPINFO info = TopDownInfo(image.width, image.height);
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !memory.get() || !bitmap.get()) {
        RT_LOG_LAST_ERROR("GetDC/CreateCompatibleDC/CreateDIBSection");
        return std::nullopt;
    }
    {
        SelectScope select(memory.get(), bitmap.get());
        // What the window shows, children included; a window whose surface cannot be read is asked to draw
        // itself into the bitmap instead.
        if (!BitBlt(memory.get(), 0, 0, image.width, image.height, screen.get(), 0, 0, SRCCOPY) &&
            !PrintWindow(window, memory.get(), PW_CLIENTONLY)) {
            RT_LOG_LAST_ERROR("BitBlt/PrintWindow");
            return std::nullopt;
        }
        GdiFlush();
    }
    const auto* source = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(source, source + static_cast<std::size_t>(image.width) * image.height);
    for (std::uint32_t& pixel : image.pixels)
        pixel &= 0x00FFFFFF;
    return image;
}

PrintResult PrintWindowImage(HWND window)
{
    if (!IsWindow(window) || IsIconic(window))
        return PrintResult::NoWindow;
    const std::optional<std::wstring> printerName = DefaultPrinterName();
    if (!printerName)
        return PrintResult::NoDefaultPrinter;
    MemoryDcHandle printer(CreateDCW(L"WINSPOOL", printerName->c_str(), nullptr, nullptr));
    if (!printer.get()) {
        RT_LOG_LAST_ERROR("CreateDCW");
        return PrintResult::PrinterUnavailable;
    }
    const std::optional<ClientImage> image = CaptureClientArea(window);
    if (!image)
        return PrintResult::CaptureFailed;
    WindowDc screen(window);
    const int dpiX = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    const int dpiY = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return PrintPage(printer.get(), *image, dpiX > 0 ? dpiX : 96, dpiY > 0 ? dpiY : 96);
}

}  // namespace rt
