#include "imagelist/MenuIcons_win.h"

#include "imagelist/IconRecord.h"
#include "imagelist/ImageListFile.h"
#include "runtime/LastError_win.h"
#include "runtime/ResourceIds.h"

#include <windows.h>

namespace imagelist {

namespace {

constexpr std::int16_t kMenuIconCount = 47;

rt::ByteArray MenuIconRecords()
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(rt::kDataMenuIcons), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) {
        RT_LOG_LAST_ERROR("FindResourceW");
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes) {
        RT_LOG_LAST_ERROR("LoadResource");
        return {};
    }
    return rt::ByteArray(bytes, bytes + SizeofResource(nullptr, found));
}

}  // namespace

rt::PropertyBag MenuIconsDesign()
{
    // Stored as the image list writes its property set: size and depth are the defaults, so absent.
    rt::ByteArray records = MenuIconRecords();
    const auto size = static_cast<std::int32_t>(records.size());
    rt::PropertyBag bag;
    bag.Write(L"Size", size);
    bag.Write(L"Images", std::move(records));
    bag.Write(L"Version", kProgramVersion);
    bag.Write(L"KeyCount", kMenuIconCount);
    bag.Write(L"Keys", std::wstring(kMenuIconCount - 1, kKeySeparator));
    return bag;
}

}  // namespace imagelist
