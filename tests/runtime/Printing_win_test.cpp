#include "runtime/Graphics_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Printing_win.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

namespace {

// A window painting its left half red and its right half blue, with a green child in the top-left corner.
LRESULT CALLBACK PaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC)
        return reinterpret_cast<LRESULT>(rt::CachedBrush(RGB(0, 255, 0)));
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    rt::PaintScope paint(hwnd);
    RECT left;
    GetClientRect(hwnd, &left);
    RECT right = left;
    right.left = left.right /= 2;
    FillRect(paint.dc(), &left, rt::CachedBrush(RGB(255, 0, 0)));
    FillRect(paint.dc(), &right, rt::CachedBrush(RGB(0, 0, 255)));
    return 0;
}

class PaintedWindow {
public:
    PaintedWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PaintProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PrintingTestWindow";
        RegisterClassW(&wc);  // fails harmlessly when a previous test registered it
        window_.reset(CreateWindowW(L"PrintingTestWindow", L"Print me", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                                    300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, get(), nullptr, nullptr, nullptr);
        ShowWindow(get(), SW_SHOW);
        UpdateWindow(get());
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    HWND get() const { return window_.get(); }

private:
    rt::WindowHandle window_;
};

bool HasDefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    return size > 0;
}

TEST(PrintWindowImage, ReportsEveryFailure)
{
    EXPECT_EQ(rt::PrintWindowImage(nullptr), rt::PrintResult::NoWindow);
    HWND gone = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(rt::PrintWindowImage(gone), rt::PrintResult::NoWindow);
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a default printer is installed here";
    PaintedWindow window;
    EXPECT_EQ(rt::PrintWindowImage(window.get()), rt::PrintResult::NoDefaultPrinter);
}

TEST(CaptureClientArea, ReadsWhatTheWindowAndItsChildrenShow)
{
    PaintedWindow window;
    const auto image = rt::CaptureClientArea(window.get());
    ASSERT_TRUE(image.has_value());
    RECT client;
    GetClientRect(window.get(), &client);
    ASSERT_EQ(image->width, client.right);
    ASSERT_EQ(image->height, client.bottom);
    EXPECT_EQ(image->At(5, 5), 0x00FF00u);  // the child
    EXPECT_EQ(image->At(30, image->height - 1), 0xFF0000u);
    EXPECT_EQ(image->At(image->width - 1, 0), 0x0000FFu);

    ShowWindow(window.get(), SW_MINIMIZE);
    EXPECT_FALSE(rt::CaptureClientArea(window.get()).has_value());
    EXPECT_EQ(rt::PrintWindowImage(window.get()), rt::PrintResult::NoWindow);
}

}  // namespace
