// The Images page's costs beside the platform's own ways of doing the same work: repainting the strip of a
// list of 500 images (the page's DrawImages, with its scroll bar and boxes, beside ImageList_Draw of the
// visible cells straight into a memory context), and placing the six frames of an animated cursor after
// image 1 of 47 (AddCursorFrames beside loading six cursor files and adding them one by one, then moving
// them into place), and a wide bitmap of 300 or 1,000 images placed after image 1 beside appended. Prints
// medians; asserts nothing. Also the structure check of an icon and an animated cursor file beside the
// platform loading them.
#include "designer/IconListDesigner_win.h"
#include "runtime/FileIo_win.h"
#include "runtime/Handles_win.h"
#include "support/ImageFileBytes.h"

#include "MedianTiming_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Write(const std::wstring& path, const test::Bytes& bytes)
{
    rt::ReplaceWholeFile(path, bytes);  // a file not written shows as a failed add in the figures
    return path;
}

void FillTo(imagelist::IconList& list, const std::wstring& icon, int count)
{
    while (list.ImageCount() < count)
        list.AddFromFile(icon, imagelist::kImageIcon);
}

// The platform's own repaint: the strip's background and its visible cells drawn into a memory context.
double PlatformStrip(HIMAGELIST images, const imagelist::PixelRect& strip, int first, int cells)
{
    rt::WindowDc screen(nullptr);
    rt::MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), strip.right + 4, strip.bottom + 4));
    rt::SelectScope select(dc.get(), canvas.get());
    rt::BrushHandle window(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    const RECT outer{strip.left, strip.top, strip.right, strip.bottom};
    return MedianMicroseconds(21, 50, [&](int) {
        FillRect(dc.get(), &outer, window.get());
        for (int i = 0; i < cells; ++i)
            ImageList_Draw(images, first + i, dc.get(), strip.left + 2 + 18 * i, strip.top + 4, ILD_TRANSPARENT);
    }, [] {});
}

// The platform's own placing: six cursor files loaded and added one by one, then walked past the 46 images
// after image 1.
double PlatformFrames(const std::vector<std::wstring>& frames)
{
    rt::ImageListHandle owned(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
    const HIMAGELIST images = owned.get();
    rt::IconHandle icon(static_cast<HICON>(LoadImageW(nullptr, frames[0].c_str(), IMAGE_CURSOR, 16, 16, LR_LOADFROMFILE)));
    for (int i = 0; i < 47; ++i)
        ImageList_AddIcon(images, icon.get());
    const int k = static_cast<int>(frames.size());
    const double time = MedianMicroseconds(21, 1, [&](int) {
        for (const auto& frame : frames) {
            rt::CursorHandle cursor(static_cast<HCURSOR>(
                LoadImageW(nullptr, frame.c_str(), IMAGE_CURSOR, 16, 16, LR_LOADFROMFILE)));
            ImageList_AddIcon(images, cursor.get());
        }
        for (int j = 46; j >= 1; --j)
            for (int i = j; i < j + k; ++i)
                ImageList_Copy(images, i + 1, images, i, ILCF_SWAP);
    }, [&] {
        for (int i = 0; i < k; ++i)
            ImageList_Remove(images, 1);
    });
    return time;
}

}  // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"plumvane-images-bench-";
    const std::wstring icon = Write(folder + L"one.ico", test::IconFile(16, 0x3366CC));
    std::vector<std::uint32_t> colours{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF};
    const std::wstring walk = Write(folder + L"walk.ani", test::AnimatedCursorFile(16, colours));
    const std::wstring plain = Write(folder + L"plain.ani", test::IconFile(16, 0x808080, true));
    std::vector<std::wstring> frames;
    for (std::size_t i = 0; i < colours.size(); ++i)
        frames.push_back(Write(folder + std::to_wstring(i) + L".cur", test::IconFile(16, colours[i], true)));

    designer::IconListDesigner host;
    host.Open(folder + L"set.pvps");
    host.Show();
    imagelist::ppgImages& page = host.ppgImages1;
    imagelist::IconList& list = host.Image1;

    FillTo(list, icon, 47);
    host.tabPages.SetSelectedIndex(1);
    SettlePlain();
    const double frames6 = MedianMicroseconds(21, 1, [&](int) { page.AddCursorFrames(walk, 1, L""); }, [&] {
        for (int i = 0; i < 6; ++i)
            list.RemoveImage(2.0);
    });
    const double plainOne = MedianMicroseconds(5, 1, [&](int) { page.AddCursorFrames(plain, 1, L""); },
                                               [&] { list.RemoveImage(2.0); });
    const double platformFrames = PlatformFrames(frames);
    std::printf("6-frame animated cursor after image 1 of 47: %.2f ms; platform (6 cursor files loaded and added, "
                "moved into place): %.2f ms\n", frames6 / 1000, platformFrames / 1000);
    std::printf("A plain cursor named .ani, all frames: %.2f ms\n", plainOne / 1000);

    // The structure check before each load (the file read and its headers walked), beside the platform's load.
    for (const std::wstring& file : {icon, walk}) {
        const double check = MedianMicroseconds(
            21, 20, [&](int) { imagelist::ImageFileLoads(file, imagelist::kImageCursor); }, [] {});
        const double load = MedianMicroseconds(
            21, 20,
            [&](int) {
                rt::CursorHandle cursor(
                    static_cast<HCURSOR>(LoadImageW(nullptr, file.c_str(), IMAGE_CURSOR, 16, 16, LR_LOADFROMFILE)));
            },
            [] {});
        std::printf("%s checked: %.1f us; loaded by the platform: %.1f us\n",
                    file == icon ? "Icon file" : "6-frame animated cursor", check, load);
    }

    // A wide bitmap of n images placed after image 1 of 47, beside the same bitmap appended.
    for (int n : {300, 1000}) {
        rt::WindowDc screen(nullptr);
        rt::BitmapHandle strip(CreateCompatibleBitmap(screen.get(), 16 * n, 16));
        const auto back = [&] {
            while (list.ImageCount() > 47)
                list.RemoveImage(static_cast<double>(list.ImageCount()));
        };
        const auto add = [&](double after) {
            return MedianMicroseconds(
                5, 1, [&](int) { list.AddFromHandle(strip.get(), imagelist::kImageBitmap, std::wstring(), -1, after); },
                back);
        };
        const double placed = add(1.0);
        const double appended = add(0.0);
        std::printf("%d images after image 1 of 47: %.2f ms; appended: %.2f ms (%.1fx)\n", n, placed / 1000,
                    appended / 1000, placed / appended);
    }

    FillTo(list, icon, 500);
    host.SetSelection({&list});
    SettlePlain();
    for (int value : {0, 4000}) {
        page.hscScroll.SetValue(value);
        SettlePlain();
        const double strip = MedianMicroseconds(21, 20, [&](int) { page.DrawImages(); }, SettlePlain);
        const double platform = PlatformStrip(list.hIml(), page.StripRect, value / 18, 21);
        std::printf("Strip of 500 images scrolled to %d: DrawImages %.3f ms; platform (fill and 21 cells into a "
                    "memory context) %.3f ms\n", value, strip / 1000, platform / 1000);
    }
    host.Unload();
    for (const auto& path : frames)
        DeleteFileW(path.c_str());
    for (const auto& path : {icon, walk, plain, folder + L"set.pvps"})
        DeleteFileW(path.c_str());
    return 0;
}
