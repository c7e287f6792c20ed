#include "controls/mDeclares_win.h"

#include "controls/GrowingBuffer.h"
#include "controls/TilePieces.h"
#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Resources_win.h"

namespace controls {

int DisplayBitsPerPixel()
{
    const rt::MemoryDcHandle display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!display) {
        RT_LOG_LAST_ERROR("CreateDCW");
        return 0;
    }
    return GetDeviceCaps(display.get(), BITSPIXEL);
}

std::wstring TempFolder()
{
    const auto folder = ReadGrowing(
        [](wchar_t* buffer, std::size_t size) {
            return static_cast<std::size_t>(GetTempPathW(static_cast<DWORD>(size), buffer));
        },
        MAX_PATH + 1);
    if (folder)
        return *folder;
    RT_LOG_LAST_ERROR("GetTempPathW");
    std::wstring own = rt::AppPath();
    if (own.size() > 3 && own.back() == L'\\')  // "C:\" keeps its backslash
        own.pop_back();
    return own;
}

std::wstring TempFileName(std::wstring_view prefix)
{
    const std::wstring folder = TempFolder();
    const std::wstring prefixText(prefix);
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(folder.c_str(), prefixText.c_str(), 0, name) == 0) {
        RT_LOG_LAST_ERROR("GetTempFileNameW");
        return {};
    }
    return name;
}

void TileBitmap(HDC destination, int x, int y, int width, int height, HDC source, int tileWidth, int tileHeight,
                int offsetY)
{
    for (const TilePiece& piece : TilePieces(x, y, width, height, tileWidth, tileHeight, offsetY)) {
        if (!BitBlt(destination, piece.x, piece.y, piece.width, piece.height, source, piece.sourceX, piece.sourceY,
                    SRCCOPY))
            RT_LOG_LAST_ERROR("BitBlt");  // one piece missing; the others still draw
    }
}

}  // namespace controls
