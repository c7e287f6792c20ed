// The image list's costs beside the platform's own ways of doing the same work, in one run: restoring the
// main window's 47 menu icons from their records (the control decodes them into one strip and adds it at
// once; the platform's icon-by-icon way makes and adds 47 icons), and saving and loading 47 and 500 icons
// through the image-list file beside the platform's own image-list stream (ImageList_Write / ImageList_Read).
// Prints medians in milliseconds; asserts nothing.
#include <windows.h>
#include <objidl.h>  // before commctrl.h, which declares the stream functions only after IStream

#include "imagelist/IconList_win.h"
#include "imagelist/IconRecord.h"
#include "imagelist/MenuIcons_win.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

class HostForm : public rt::Form {
public:
    HostForm() { Add(Image1, {L"Image1"}); }
    imagelist::IconList Image1;
    std::optional<rt::PropertyBag> design;

protected:
    void Design() override
    {
        if (design)
            Image1.SetDesignProperties(*design);
    }
};

double Milliseconds(const std::function<void()>& work, int rounds = 21)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e3 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The platform's own way of restoring icon records: one icon made and added at a time.
HIMAGELIST RestoreIconByIcon(const rt::ByteArray& records)
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_MASK, 4, 4);
    rt::MemoryDcHandle dc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    std::size_t offset = 0;
    while (offset < records.size()) {
        HICON icon = nullptr;
        std::size_t size = 0;
        if (!mSaveIcon::BytesToIcon(dc.get(), icon, records, offset, size, imagelist::kProgramVersion))
            break;
        ImageList_AddIcon(list, icon);
        DestroyIcon(icon);
        offset += size;
    }
    return list;
}

// The platform's image-list stream into memory and back.
double PlatformStream(HIMAGELIST list, std::size_t& bytes)
{
    return Milliseconds([&] {
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        ImageList_Write(list, stream);
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        bytes = static_cast<std::size_t>(stat.cbSize.QuadPart);
        LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        HIMAGELIST back = ImageList_Read(stream);
        ImageList_Destroy(back);
        stream->Release();
    });
}

}  // namespace

int main()
{
    CoInitialize(nullptr);
    const rt::PropertyBag menuIcons = imagelist::MenuIconsDesign();
    const rt::ByteArray records = menuIcons.Read<rt::ByteArray>(L"Images", {});

    HostForm empty;
    const double bare = Milliseconds([&] {
        empty.Load();
        empty.Unload();
    });
    HostForm restored;
    restored.design = menuIcons;
    const double withIcons = Milliseconds([&] {
        restored.Load();
        restored.Unload();
    });
    const double iconByIcon = Milliseconds([&] { ImageList_Destroy(RestoreIconByIcon(records)); });
    std::printf("Restoring Image1 (47 icons): %.2f ms (form load with it %.2f ms, without %.2f ms); "
                "icon by icon: %.2f ms\n",
                withIcons - bare, withIcons, bare, iconByIcon);

    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"plumvane-bench.iml";
    for (int count : {47, 500}) {
        restored.Load();
        imagelist::IconList& list = restored.Image1;
        while (list.ImageCount() < count) {
            HICON icon = ImageList_GetIcon(list.hIml(), list.ImageCount() % 47, ILD_NORMAL);
            list.AddFromHandle(icon, imagelist::kImageIcon);
            DestroyIcon(icon);
        }
        const double save = Milliseconds([&] { list.SaveToFile(file); }, 11);
        const double load = Milliseconds([&] {
            list.Clear();
            list.LoadFromFile(file);
        }, 11);
        std::size_t streamBytes = 0;
        const double platform = PlatformStream(list.hIml(), streamBytes);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
        std::printf("%d icons: save %.2f ms, clear and load %.2f ms (%lu bytes); platform stream write and read "
                    "%.2f ms (%zu bytes)\n",
                    count, save, load, data.nFileSizeLow, platform, streamBytes);
        restored.Unload();
    }
    DeleteFileW(file.c_str());
    return 0;
}
