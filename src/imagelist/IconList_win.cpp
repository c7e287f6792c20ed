#include "imagelist/IconList_win.h"

#include "imagelist/IconRecord.h"
#include "imagelist/IconStrip.h"
#include "imagelist/ImageListFile.h"
#include "imagelist/ListRecords_win.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/FileIo_win.h"
#include "runtime/Handles_win.h"
#include "runtime/ImageFileCheck.h"
#include "runtime/LastError_win.h"
#include "runtime/NumberText.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"

#include <algorithm>

namespace imagelist {

namespace {

constexpr int kControlSize = 36;  // pixels, both ways
// Larger image-list files than this are not ours: 500 icons of 72 x 72 take 11 MB.
constexpr std::uint64_t kLargestFile = 256u << 20;

std::wstring Source()
{
    return rt::ExeName() + L".IconList";
}

[[noreturn]] void RaiseToCaller(int number)
{
    throw IconListError({number, Source(), rt::ErrorState::StandardText(number)});
}

std::string Ansi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// ImageCount is a 16-bit count: no add may take the list past it.
constexpr int kMostImages = 32767;
// Larger image files than this are not read: a 256 x 256 icon of 32 bits takes 256 KB a frame.
constexpr std::uint64_t kLargestImageFile = 64u << 20;

bool ValidList(HIMAGELIST list)
{
    return list && list != reinterpret_cast<HIMAGELIST>(-1);
}

// Adds a strip of icons in one call; false (and nothing added) when the platform refuses it.
bool AddStrip(HIMAGELIST list, HDC dc, const IconStrip& strip)
{
    StripDib colourInfo(strip.width, strip.height, false);
    StripDib maskInfo(strip.width, strip.height, true);
    rt::BitmapHandle colour(CreateCompatibleBitmap(dc, strip.width, strip.height));
    if (!colour || !SetDIBits(dc, colour.get(), 0, static_cast<UINT>(strip.height), strip.colour.data(),
                              colourInfo.get(), DIB_RGB_COLORS))
        return false;
    rt::BitmapHandle mask(CreateBitmap(strip.width, strip.height, 1, 1, nullptr));
    if (!mask || !SetDIBits(dc, mask.get(), 0, static_cast<UINT>(strip.height), strip.mask.data(), maskInfo.get(),
                            DIB_RGB_COLORS))
        return false;
    const int before = ImageList_GetImageCount(list);
    if (ImageList_Add(list, colour.get(), mask.get()) == -1)
        return false;
    if (ImageList_GetImageCount(list) == before + static_cast<int>(strip.count))
        return true;
    ImageList_SetImageCount(list, static_cast<UINT>(before));  // a partial add would shift every image after it
    return false;
}

std::vector<std::uint8_t> ReadListFile(const std::wstring& name)
{
    auto read = rt::ReadWholeFile(name, kLargestFile);
    if (auto* failure = std::get_if<rt::FileFailure>(&read)) {
        if (failure->fault == rt::FileFault::NotFound)
            RaiseToCaller(rt::kErrFileNotFound);
        if (failure->fault == rt::FileFault::TooLarge)
            RaiseToCaller(rt::kErrOutOfMemory);
        RaiseToCaller(rt::kErrFileAccess);
    }
    return std::move(std::get<std::vector<std::uint8_t>>(read));
}

}  // namespace

bool ImageFileLoads(const std::wstring& path, std::int32_t iType)
{
    if (iType != kImageBitmap && iType != kImageIcon && iType != kImageCursor)
        return false;
    const auto read = rt::ReadWholeFile(path, kLargestImageFile);
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&read);
    return bytes && rt::ImageFileHoldsTogether(
                        iType == kImageBitmap ? rt::ImageFileKind::Bitmap : rt::ImageFileKind::IconOrCursor, *bytes);
}

IconListError::IconListError(rt::ErrorInfo info)
    : std::runtime_error(std::string(info.description.begin(), info.description.end())), info_(std::move(info))
{
}

IconList::~IconList()
{
    Destroy();
}

void IconList::UserControl_Initialize()
{
    iconSizeX_ = 16;
    iconSizeY_ = 16;
    colourDepth_ = 0;
    Destroy();
}

void IconList::UserControl_InitProperties()
{
    Create();
}

void IconList::UserControl_Terminate()
{
    Destroy();
}

void IconList::UserControl_Show()
{
    UserControl_Paint();
}

void IconList::ResetProperties()
{
    UserControl::ResetProperties();
    // Its window is then made at the box's size, not made at the default size and moved to it.
    Move(Left(), Top(), kControlSize * rt::Screen::TwipsPerPixelX(), kControlSize * rt::Screen::TwipsPerPixelY());
}

void IconList::UserControl_Resize()
{
    const int width = kControlSize * rt::Screen::TwipsPerPixelX();
    const int height = kControlSize * rt::Screen::TwipsPerPixelY();
    if (Width() != width || Height() != height)
        Move(Left(), Top(), width, height);
    // Unseen (hidden, as at run time, or its form not shown yet) it is painted when it shows.
    if (IsWindowVisible(hWnd()))
        UserControl_Paint();
}

void IconList::UserControl_Paint()
{
    HDC dc = hDC();
    if (!dc)
        return;
    RECT all{0, 0, kControlSize, kControlSize};
    rt::BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &all, face.get());
    if (HICON picture = rt::LoadIconResource(rt::kIconImageList, 32))
        DrawIconEx(dc, 2, 2, picture, 32, 32, 0, nullptr, DI_NORMAL);
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    if (const int count = ImageCount()) {
        RECT text{3, 22, 34, 34};
        const std::wstring number = std::to_wstring(count);
        DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &text, 0);
    }
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

void IconList::RepaintInDesign()
{
    if (!Ambient().UserMode)
        UserControl_Paint();
}

void IconList::RaiseSubscript() const
{
    rt::Err().Raise(rt::kErrSubscriptOutOfRange, Source());
}

bool IconList::Create()
{
    Destroy();
    HIMAGELIST list = ImageList_Create(iconSizeX_, iconSizeY_, static_cast<UINT>(colourDepth_) | ILC_MASK, 4, 4);
    if (!ValidList(list))
        return false;
    list_ = rt::ImageListHandle(list);
    return true;
}

void IconList::Destroy()
{
    if (!list_ && !stored_)
        return;
    stored_.reset();
    list_.reset();
    keys_.Erase();
}

HIMAGELIST IconList::List() const
{
    if (stored_) {
        // Taken out first: making it reads the list through the members below. Made through const members
        // too (a count, a key): the control itself is never a const object.
        const Stored stored = std::move(*stored_);
        stored_.reset();
        auto* self = const_cast<IconList*>(this);
        if (!self->Create())
            return nullptr;
        if (stored.size <= 0)
            return list_.get();
        // "Size" is only a claim: nothing past the bytes really stored is read.
        const std::size_t size = std::min(stored.images.size(), static_cast<std::size_t>(stored.size));
        self->AddRecords(std::span(stored.images).first(size), stored.version);
        self->keys_.Erase();
        self->keys_.Fit(static_cast<std::size_t>(std::max<int>(ImageCount(), 0)));
        self->ParseKeys(0, stored.keys);
    }
    return list_.get();
}

// A new size or depth is for the next list made: the one read from the property set is made first, as read.
void IconList::SetIconSizeX(std::int32_t lSizeX)
{
    List();
    iconSizeX_ = lSizeX;
    PropertyChanged(L"IconSizeX");
}

void IconList::SetIconSizeY(std::int32_t lSizeY)
{
    List();
    iconSizeY_ = lSizeY;
    PropertyChanged(L"IconSizeY");
}

void IconList::SetColourDepth(std::int32_t eDepth)
{
    List();
    colourDepth_ = eDepth;
    PropertyChanged(L"ColourDepth");
}

std::int16_t IconList::ImageCount() const
{
    const HIMAGELIST list = List();
    return list ? static_cast<std::int16_t>(ImageList_GetImageCount(list)) : 0;
}

void IconList::ResizeKeys()
{
    if (List())
        keys_.Fit(static_cast<std::size_t>(std::max<int>(ImageCount(), 0)));
}

void IconList::SetKey(std::size_t i0, const ImageRef& vKey)
{
    if (!List())
        return;
    switch (keys_.Set(i0, KeyText(vKey))) {
    case KeyResult::Stored:
        break;
    case KeyResult::Duplicate:
        rt::Err().Raise(rt::kErrDuplicateKey);
        break;
    case KeyResult::HasSeparator:
        rt::Err().Raise(rt::kErrInvalidCall, Source());
        break;
    }
}

void IconList::ParseKeys(std::size_t start, const std::wstring& keyText)
{
    keys_.Assign(start, SplitKeys<wchar_t>(keyText, kKeySeparator));
}

std::int32_t IconList::ItemIndex(const ImageRef& vKey) const
{
    const int position = List() ? keys_.Find(vKey, static_cast<std::size_t>(std::max<int>(ImageCount(), 0))) : -1;
    if (position < 0)
        RaiseSubscript();
    return position;
}

std::optional<std::wstring> IconList::ItemKey(std::int32_t iIndex) const
{
    if (iIndex < 1 || iIndex > ImageCount()) {
        RaiseSubscript();
        return std::nullopt;
    }
    const std::size_t i = static_cast<std::size_t>(iIndex - 1);
    return i < keys_.size() ? keys_[i] : std::wstring();
}

void IconList::SetItemKey(std::int32_t iIndex, const ImageRef& vKey)
{
    if (iIndex < 1 || iIndex > ImageCount()) {
        RaiseSubscript();
        return;
    }
    SetKey(static_cast<std::size_t>(iIndex - 1), vKey);
    PropertyChanged(L"KeyCount");
    PropertyChanged(L"Keys");
}

bool IconList::KeyExists(const std::wstring& sKey)
{
    if (ImageCount() <= 0)
        return false;
    ResizeKeys();
    return keys_.Contains(sKey);
}

void IconList::Clear()
{
    Create();
    keys_.Erase();
    PropertyChanged(L"Images");
    PropertyChanged(L"Size");
    RepaintInDesign();
}

// Exchanges two images through a scratch slot at the end: the platform's own swap blackens its source.
void IconList::SwapImages(int i, int j)
{
    if (i == j)
        return;
    const HIMAGELIST list = List();
    const int count = ImageList_GetImageCount(list);
    if (!ImageList_SetImageCount(list, static_cast<UINT>(count + 1)))
        return;
    ImageList_Copy(list, count, list, i, ILCF_MOVE);
    ImageList_Copy(list, i, list, j, ILCF_MOVE);
    ImageList_Copy(list, j, list, count, ILCF_MOVE);
    ImageList_Remove(list, count);
}

void IconList::SwapOrCopyImage(const ImageRef& vKeySrc, const ImageRef& vKeyDst, std::int32_t eSwap)
{
    if (!List())
        return;
    const int source = ItemIndex(vKeySrc);
    const int destination = ItemIndex(vKeyDst);
    if (source < 0 || destination < 0)
        return;
    if (eSwap & ILCF_SWAP)
        SwapImages(source - 1, destination - 1);
    else
        ImageList_Copy(List(), source - 1, List(), destination - 1, ILCF_MOVE);
    ResizeKeys();
    keys_.Swap(static_cast<std::size_t>(source - 1), static_cast<std::size_t>(destination - 1));
    PropertyChanged(L"Images");
    PropertyChanged(L"Size");
}

void IconList::RemoveImage(const ImageRef& vKey)
{
    if (!List())
        return;
    const int position = ItemIndex(vKey);
    if (position < 0)
        return;
    ImageList_Remove(List(), position - 1);
    keys_.Remove(static_cast<std::size_t>(position - 1));
    ResizeKeys();
    PropertyChanged(L"Images");
    PropertyChanged(L"Size");
    PropertyChanged(L"Keys");
    PropertyChanged(L"KeyCount");
    RepaintInDesign();
}

bool IconList::AddFromHandle(HANDLE hImage, std::int32_t iType, const ImageRef& vKey, std::int32_t lBackColor,
                             const ImageRef& vKeyAfter)
{
    bool added = false;
    int after = -1;  // the position the new images follow; -1: they stay at the end
    std::size_t firstNew = 0;
    if (List() && hImage) {
        const int count0 = ImageCount();
        bool proceed = true;
        if (!std::holds_alternative<std::monostate>(vKeyAfter) && count0 > 0) {
            const double* number = std::get_if<double>(&vKeyAfter);
            const std::wstring* text = std::get_if<std::wstring>(&vKeyAfter);
            const auto textNumber = text ? rt::ParseNumber(*text) : rt::Result<double>(rt::ValueError::TypeMismatch);
            const bool zero = (number && *number == 0) || (textNumber && *textNumber == 0);
            if (!zero) {
                after = ItemIndex(vKeyAfter);
                proceed = after >= 0;
            }
        }
        const int k = proceed ? AddImage(hImage, iType, lBackColor, count0) : 0;
        if (k > 0) {
            added = true;
            firstNew = static_cast<std::size_t>(count0);
            if (after >= 0 && after < count0) {
                added = PlaceAfter(after, count0, k);
                firstNew = static_cast<std::size_t>(after);
            }
        }
    }
    if (added)
        SetKey(firstNew, vKey);
    ResizeKeys();
    return added;
}

int IconList::AddImage(HANDLE image, std::int32_t iType, std::int32_t lBackColor, int count0)
{
    const HIMAGELIST list = List();
    if (iType == kImageBitmap) {
        BITMAP bm{};
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        if (!GetObjectW(image, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0 || cx <= 0 || cy <= 0 ||
            bm.bmWidth / cx > kMostImages - count0)
            return 0;
        COLORREF back = static_cast<COLORREF>(lBackColor);
        if (lBackColor == -1) {
            const rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
            const rt::SelectScope select(dc.get(), image);
            if (select) {
                const COLORREF corner = GetPixel(dc.get(), 0, 0);
                if (corner != CLR_INVALID)
                    back = corner;
            }
        }
        ImageList_AddMasked(list, static_cast<HBITMAP>(image), back);
    } else if (iType == kImageIcon || iType == kImageCursor) {
        if (count0 >= kMostImages)
            return 0;
        ImageList_AddIcon(list, static_cast<HICON>(image));
    } else {
        return 0;
    }
    // Judged by the count: an add that took nothing (a bitmap narrower than one image) may still answer with
    // index 0, and one that went wrong may leave any count behind.
    const int count = ImageList_GetImageCount(list);
    if (count > count0 && count <= kMostImages)
        return count - count0;
    if (count != count0)
        ImageList_SetImageCount(list, static_cast<UINT>(count0));
    return 0;
}

bool IconList::PlaceAfter(int after, int count0, int k)
{
    const HIMAGELIST list = List();
    const int total = count0 + k;
    if (!ImageList_SetImageCount(list, static_cast<UINT>(total + k))) {
        ImageList_SetImageCount(list, static_cast<UINT>(count0));
        return false;
    }
    // Copies, not the platform's swap, which blackens its source.
    for (int i = 0; i < k; ++i)
        ImageList_Copy(list, total + i, list, count0 + i, ILCF_MOVE);
    for (int i = count0 - 1; i >= after; --i)
        ImageList_Copy(list, i + k, list, i, ILCF_MOVE);
    for (int i = 0; i < k; ++i)
        ImageList_Copy(list, after + i, list, total + i, ILCF_MOVE);
    ImageList_SetImageCount(list, static_cast<UINT>(total));
    ResizeKeys();
    keys_.Rotate(static_cast<std::size_t>(after), static_cast<std::size_t>(count0), static_cast<std::size_t>(total));
    return true;
}

std::int32_t IconList::AddFromFile(const std::wstring& sFileName, std::int32_t iType, const ImageRef& vKey,
                                   bool bMapSysColors, std::int32_t lBackColor, const ImageRef& vKeyAfter)
{
    bool added = false;
    if (List() && ImageFileLoads(sFileName, iType)) {
        const UINT flags = LR_LOADFROMFILE | (bMapSysColors ? LR_LOADMAP3DCOLORS : 0);
        const bool sized = iType == kImageIcon || iType == kImageCursor;
        HANDLE image = LoadImageW(nullptr, sFileName.c_str(), static_cast<UINT>(iType), sized ? iconSizeX_ : 0,
                                  sized ? iconSizeY_ : 0, flags);
        // The list keeps copies: the loaded image goes when this call ends.
        rt::BitmapHandle bitmap(iType == kImageBitmap ? static_cast<HBITMAP>(image) : nullptr);
        rt::IconHandle icon(iType == kImageIcon ? static_cast<HICON>(image) : nullptr);
        rt::CursorHandle cursor(iType == kImageCursor ? static_cast<HCURSOR>(image) : nullptr);
        added = AddFromHandle(image, iType, vKey, lBackColor, vKeyAfter);
    }
    PropertyChanged(L"Images");
    PropertyChanged(L"Size");
    PropertyChanged(L"Keys");
    PropertyChanged(L"KeyCount");
    RepaintInDesign();
    return added ? -1 : 0;
}

void IconList::AddRecords(std::span<const std::uint8_t> data, std::int32_t version)
{
    rt::MemoryDcHandle dc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    // Equal-sized icons go in as one strip; the icon-by-icon path below gives the same images. Records past
    // the most images a list holds are not read.
    std::vector<std::size_t> offsets = RecordOffsets(data, version);
    const auto room = static_cast<std::size_t>(std::max(0, kMostImages - ImageList_GetImageCount(List())));
    if (offsets.size() > room) {
        data = data.first(offsets[room]);
        offsets.resize(room);
    }
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(List(), &cx, &cy);
    if (const auto strip = BuildStrip(data, offsets, version, cx, cy))
        if (AddStrip(List(), dc.get(), *strip))
            return;
    std::size_t offset = 0;
    while (offset < data.size()) {
        HICON icon = nullptr;
        std::size_t size = 0;
        if (!mSaveIcon::BytesToIcon(dc.get(), icon, data, offset, size, version))
            break;  // no size: the records after it cannot be found
        const rt::IconHandle owner(icon);
        ImageList_AddIcon(List(), icon);
        offset += size;
    }
}

std::vector<std::uint8_t> IconList::FileBytes()
{
    const std::int32_t version = kProgramVersion;
    if (!List())
        return {};
    const Collected records = CollectRecords(List(), ILD_TRANSPARENT, version);
    if (records.bytes.empty())
        return {};
    std::vector<std::string> keys;
    for (std::size_t p = 0; p < records.written.size(); ++p)
        if (records.written[p])
            keys.push_back(Ansi(p < keys_.size() ? keys_[p] : std::wstring()));
    return EncodeFile(version, records.bytes, JoinKeys<char>(keys, '\xFF', KeyTextForm::File));
}

bool IconList::SaveToFile(const std::wstring& sFileName)
{
    if (!List())
        return false;
    const std::vector<std::uint8_t> file = FileBytes();
    if (file.empty())
        RaiseToCaller(rt::kErrSubscriptOutOfRange);  // nothing to save: no file is made
    // A failed save leaves the old file whole.
    if (rt::ReplaceWholeFile(sFileName, file))
        RaiseToCaller(rt::kErrFileAccess);
    return true;
}

bool IconList::LoadFromFile(const std::wstring& sFileName)
{
    if (!List())
        return false;
    const auto read = DecodeFile(ReadListFile(sFileName));
    if (std::holds_alternative<FileError>(read))
        RaiseToCaller(rt::kErrBadFileFormat);
    const ImageListContent& content = std::get<ImageListContent>(read);
    const std::size_t count0 = static_cast<std::size_t>(std::max<int>(ImageCount(), 0));
    AddRecords(content.records, content.version);
    ResizeKeys();
    std::vector<std::wstring> pieces;
    for (const std::string& piece : SplitKeys<char>(content.keyText, '\xFF'))
        pieces.push_back(Wide(piece));
    keys_.Assign(count0, pieces);
    // The design look counts the images: a load after Clear (a new icon size) would leave it showing none.
    RepaintInDesign();
    return true;
}

void IconList::UserControl_WriteProperties(rt::PropertyBag& PropBag)
{
    const std::int32_t version = kProgramVersion;
    PropBag.Write(L"IconSizeX", iconSizeX_, 16);
    PropBag.Write(L"IconSizeY", iconSizeY_, 16);
    PropBag.Write(L"ColourDepth", colourDepth_, 0);
    Collected records;
    if (List() && ImageCount() > 0) {
        records = CollectRecords(List(), ILD_NORMAL, version);
        if (!records.bytes.empty()) {
            PropBag.Write(L"Size", static_cast<std::int32_t>(records.bytes.size()));
            PropBag.Write(L"Images", records.bytes);
            PropBag.Write(L"Version", version);
        }
    }
    if (records.bytes.empty()) {
        PropBag.Write(L"Size", 0, 0);
        PropBag.Write(L"Images", rt::ByteArray{}, rt::ByteArray{});
        PropBag.Write(L"KeyCount", std::int16_t{0}, std::int16_t{0});
        PropBag.Write(L"Keys", L"", L"");
        return;
    }
    // Only the images that have a record keep their key, so that no key moves onto another image.
    std::vector<std::wstring> keys;
    for (std::size_t p = 0; p < records.written.size(); ++p)
        if (records.written[p])
            keys.push_back(p < keys_.size() ? keys_[p] : std::wstring());
    PropBag.Write(L"KeyCount", static_cast<std::int16_t>(keys.size()));
    PropBag.Write(L"Keys", JoinKeys<wchar_t>(keys, kKeySeparator, KeyTextForm::PropertySet));
}

void IconList::UserControl_ReadProperties(const rt::PropertyBag& PropBag)
{
    // Stored directly: reading the design data changes nothing the host must save again.
    iconSizeX_ = PropBag.Read<std::int32_t>(L"IconSizeX", 16);
    iconSizeY_ = PropBag.Read<std::int32_t>(L"IconSizeY", 16);
    colourDepth_ = PropBag.Read<std::int32_t>(L"ColourDepth", 0);
    // The list is made when it is first used (List()), as it would be here: a window's first paint needs
    // no image list, and the first one made loads the common controls.
    Destroy();
    Stored stored;
    stored.version = PropBag.Read<std::int32_t>(L"Version", 0);
    stored.size = PropBag.Read<std::int32_t>(L"Size", 0);
    if (stored.size > 0) {
        stored.images = PropBag.Read<rt::ByteArray>(L"Images", {});
        PropBag.Read<std::int16_t>(L"KeyCount", 0);  // kept for older readers, not needed here
        stored.keys = PropBag.Read<std::wstring>(L"Keys", L"");
    }
    stored_ = std::move(stored);
}

}  // namespace imagelist
