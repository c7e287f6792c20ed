// The image list's costs beside the platform's own ways of doing the same work, in one run: restoring the
// main window's 47 menu icons from their records (the control decodes them into one strip and adds it at
// once; the platform's icon-by-icon way makes and adds 47 icons), and saving 47 and 500 icons to the
// image-list file, made in memory and written to disk, beside the platform's own image-list stream written into
// memory (ImageList_Write), and loading them back.
// Prints medians in milliseconds; asserts nothing.
#include <windows.h>
#include <objidl.h>  // before commctrl.h, which declares the stream functions only after IStream

#include "imagelist/IconList_win.h"
#include "imagelist/IconRecord.h"
#include "imagelist/MenuIcons_win.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"

#include "MedianTiming_win.h"

#include <commctrl.h>

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

// The median time of each job in milliseconds, the jobs run in turn round after round, so that a
// busy machine weighs on all of them alike.
std::vector<double> Alternating(const std::vector<std::function<void()>>& works, int rounds)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<std::vector<double>> times(works.size());
    for (int i = 0; i < rounds; ++i)
        for (std::size_t w = 0; w < works.size(); ++w) {
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            works[w]();
            QueryPerformanceCounter(&end);
            times[w].push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e3 /
                               static_cast<double>(frequency.QuadPart));
        }
    std::vector<double> medians;
    for (const std::vector<double>& t : times)
        medians.push_back(Median(t));
    return medians;
}

double Milliseconds(const std::function<void()>& work, int rounds = 21)
{
    return Alternating({work}, rounds)[0];
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

// The platform's image-list stream written into memory: its own form of the same images.
std::size_t PlatformStream(HIMAGELIST list)
{
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ImageList_Write(list, stream);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    stream->Release();
    return static_cast<std::size_t>(stat.cbSize.QuadPart);
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
        // Alternating: the platform's stream into memory, our file's bytes made in memory (the format work),
        // and our whole save, which adds writing a new file, flushing it and replacing the old one (the disk).
        std::size_t streamBytes = 0;
        std::size_t ourBytes = 0;
        const std::vector<double> save = Alternating(
            {[&] { streamBytes = PlatformStream(list.hIml()); }, [&] { ourBytes = list.FileBytes().size(); },
             [&] { list.SaveToFile(file); }},
            21);
        const double load = Milliseconds([&] {
            list.Clear();
            list.LoadFromFile(file);
        }, 11);
        std::printf("%d icons: platform stream into memory %.2f ms (%zu bytes); ours in memory %.2f ms (%zu bytes, "
                    "%.1fx), saved to a file %.2f ms (%.1fx); clear and load %.2f ms\n",
                    count, save[0], streamBytes, save[1], ourBytes, save[1] / save[0], save[2], save[2] / save[0],
                    load);
        restored.Unload();
    }
    DeleteFileW(file.c_str());
    return 0;
}
