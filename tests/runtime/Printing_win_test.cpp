#include "runtime/Printing_win.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

namespace {

// A window painting its left half red and its right half blue, with a green child in the top-left corner.
LRESULT CALLBACK PaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        RECT left = client;
        left.right /= 2;
        RECT right = client;
        right.left = left.right;
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &left, red);
        FillRect(dc, &right, blue);
        DeleteObject(red);
        DeleteObject(blue);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_CTLCOLORSTATIC) {
        static HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        return reinterpret_cast<LRESULT>(green);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
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
        hwnd_ = CreateWindowW(L"PrintingTestWindow", L"Print me", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, hwnd_, nullptr, GetModuleHandleW(nullptr),
                      nullptr);
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    ~PaintedWindow() { DestroyWindow(hwnd_); }
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
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
