// The floors of the whole-process start-up benchmark, each the least a window program does before it can take
// input, closed by closing its window:
//   BareWindow.exe          a top-level window with a menu bar and an edit box, shown, then a message loop;
//   BareWindow.exe keypad   the windows the calculator shows at start, made the platform's plain way: a hidden
//                           companion window; a window with the calculator's menu bar (plain items); 17 keys
//                           of a class of its own, each with a rounded window region and painting its face and
//                           caption; the display and item labels; the entry box; the tape (multi-line, with a
//                           vertical scroll bar). No image list, no owner-drawn menus, no settings.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT keyFont = nullptr;

LRESULT CALLBACK KeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT rect;
        GetClientRect(hwnd, &rect);
        DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        wchar_t caption[16] = {};
        GetWindowTextW(hwnd, caption, 16);
        HGDIOBJ old = SelectObject(dc, keyFont);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HMENU Popup(HMENU bar, const wchar_t* caption, int items, int id)
{
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < items; ++i) {
        wchar_t text[32];
        std::swprintf(text, 32, L"Item &%d\tCtrl+%c", i + 1, L'A' + i);
        AppendMenuW(popup, MF_STRING, id + i, text);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
    return popup;
}

HWND Keypad(HINSTANCE instance)
{
    WNDCLASSW keys{};
    keys.lpfnWndProc = KeyProc;
    keys.hInstance = instance;
    keys.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    keys.lpszClassName = L"BareKey";
    RegisterClassW(&keys);
    CreateWindowW(L"BareWindow", L"Companion", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance,
                  nullptr);

    HMENU bar = CreateMenu();
    Popup(bar, L"&File", 6, 100);
    AppendMenuW(Popup(bar, L"&Edit", 3, 200), MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"&Memory");
    Popup(bar, L"&Tools", 5, 300);
    Popup(bar, L"&Options", 8, 400);
    Popup(bar, L"&Help", 2, 500);
    const int width = 220, height = 428;
    HWND hwnd = CreateWindowW(L"BareWindow", L"Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                              width, height, nullptr, bar, instance, nullptr);
    keyFont = CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
        HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h, hwnd,
                                       nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    child(L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 4, 4, 206, 150);
    child(L"STATIC", L"0 items", 0, 4, 158, 100, 14);
    child(L"STATIC", L"0", SS_RIGHT, 104, 158, 106, 14);
    child(L"EDIT", L"", WS_BORDER | ES_RIGHT, 4, 174, 206, 22);
    static const wchar_t* const captions[17] = {L"C", L"/", L"*", L"-", L"7", L"8", L"9", L"+", L"4",
                                                L"5", L"6", L"1", L"2", L"3", L"=", L"0", L","};
    for (int i = 0; i < 17; ++i) {
        const int x = 4 + (i % 4) * 52, y = 200 + (i / 4) * 32;
        HWND key = child(L"BareKey", captions[i], 0, x, y, 50, 30);
        SetWindowRgn(key, CreateRoundRectRgn(0, 0, 51, 31, 5, 5), FALSE);
    }
    return hwnd;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND hwnd = nullptr;
    if (std::wcscmp(commandLine, L"keypad") == 0) {
        hwnd = Keypad(instance);
    } else {
        // The menu bar becomes the window's, which destroys it with the window.
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 1, L"E&xit");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        hwnd = CreateWindowW(L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 220,
                             380, nullptr, bar, instance, nullptr);
        CreateWindowW(L"EDIT", L"0", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_RIGHT, 8, 8, 190, 22, hwnd, nullptr,
                      instance, nullptr);
    }
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
