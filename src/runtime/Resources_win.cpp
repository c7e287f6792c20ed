#include "runtime/Resources_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/ResourceIds.h"
#include "runtime/Strings.h"

#include <map>
#include <mutex>
#include <tuple>

namespace rt {

namespace {

HINSTANCE Module()
{
    return GetModuleHandleW(nullptr);
}

// Loads image `id` of `type` once per size and keeps it; a failed load is not remembered, so it is retried.
HANDLE CachedImage(int id, UINT type, int size)
{
    static std::mutex lock;
    static std::map<std::tuple<UINT, int, int>, IconHandle> cache;  // cursors too: DestroyIcon frees both
    if (id <= 0 || id > 0xFFFF || size < 0)
        return nullptr;
    std::lock_guard guard(lock);
    const auto key = std::make_tuple(type, id, size);
    if (auto found = cache.find(key); found != cache.end())
        return found->second.get();
    HANDLE image = LoadImageW(Module(), MAKEINTRESOURCEW(id), type, size, size, LR_DEFAULTCOLOR);
    if (!image) {
        RT_LOG_LAST_ERROR("LoadImageW");
        return nullptr;
    }
    cache.emplace(key, IconHandle(static_cast<HICON>(image)));
    return image;
}

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            RT_LOG_LAST_ERROR("GetModuleFileNameW");
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: the path is longer than the buffer
    }
}

}  // namespace

std::wstring LoadResString(int id)
{
    // Strings are stored in blocks of 16, each a length followed by that many UTF-16 units. Reading the block
    // directly avoids the fixed buffer of LoadString, which would cut long messages.
    if (id < 0 || id > 0xFFFF)
        return {};
    HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id / 16 + 1), MAKEINTRESOURCEW(6));  // RT_STRING
    if (!info)
        return {};
    HGLOBAL loaded = LoadResource(Module(), info);
    const auto* data = static_cast<const wchar_t*>(LockResource(loaded));
    if (!data)
        return {};
    const wchar_t* const end = data + SizeofResource(Module(), info) / sizeof(wchar_t);
    for (int index = 0; index < id % 16; ++index) {
        if (data >= end)
            return {};
        data += 1 + *data;
    }
    if (data >= end || data + 1 + *data > end)
        return {};
    return std::wstring(data + 1, *data);
}

std::wstring LoadMessage(int n, std::wstring_view a1, std::wstring_view a2, std::wstring_view a3)
{
    if (n < 0 || n > (0xFFFF - kMessageLanguageDigit) / 10)
        return {};
    return ExpandMessage(LoadResString(n * 10 + kMessageLanguageDigit), a1, a2, a3);
}

HICON LoadIconResource(int id, int size)
{
    return static_cast<HICON>(CachedImage(id, IMAGE_ICON, size));
}

HCURSOR LoadCursorResource(int id)
{
    return static_cast<HCURSOR>(CachedImage(id, IMAGE_CURSOR, 0));
}

std::wstring AppTitle()
{
    return L"Plumvane";
}

std::wstring ExeName()
{
    const std::wstring path = ModulePath();
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);  // npos + 1 == 0: the whole text
    if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

std::wstring AppPath()
{
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace rt
