#pragma once
// IconList: a user control that wraps one common-controls image list and keeps one text key per image, so
// that images are found by position (1-based) or by key. All images have one size, fixed when the list is
// made (Create, also through Clear and every load); setting IconSizeX, IconSizeY or ColourDepth only stores
// the value for the next Create.
//
// Its default member is the list handle hIml: a window hands the control over as a value (operator
// HIMAGELIST) and the receiver gets the handle. The control owns the list; handles passed to AddFromHandle
// stay the caller's.
//
// Errors follow the resume-next convention: ItemIndex, ItemKey and SetItemKey record error 9 (source
// "<exe>.IconList") or 457 (a duplicate key) in the program's error state and return their value. SaveToFile
// and LoadFromFile alone raise: they throw IconListError.
//
// The images and keys persist in the control's property set (UserControl_WriteProperties /
// UserControl_ReadProperties) and in the image-list file (SaveToFile / LoadFromFile), both as runs of icon
// records (imagelist/IconRecord.h). A list read from the property set is made at its first use.
#include "imagelist/ImageKeys.h"
#include "runtime/ErrorState.h"
#include "runtime/Handles_win.h"
#include "runtime/UserControl_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace imagelist {

// An error SaveToFile or LoadFromFile raises to its caller.
class IconListError : public std::runtime_error {
public:
    explicit IconListError(rt::ErrorInfo info);
    const rt::ErrorInfo& Info() const { return info_; }

private:
    rt::ErrorInfo info_;
};

// Image types as the image loader numbers them.
inline constexpr std::int32_t kImageBitmap = 0;
inline constexpr std::int32_t kImageIcon = 1;
inline constexpr std::int32_t kImageCursor = 2;

// Whether the platform's image loader may be given the file at `path` as image type iType: the file reads and
// its structure holds together. The platform's loaders trust every header field; a file refused here counts
// as one that does not load.
bool ImageFileLoads(const std::wstring& path, std::int32_t iType);

class IconList : public rt::UserControl {
public:
    IconList() = default;
    ~IconList() override;

    // Exchanges images vKeySrc and vKeyDst (eSwap 1) or copies vKeyDst onto vKeySrc (eSwap 0); the keys of the
    // two are exchanged in both modes.
    void SwapOrCopyImage(const ImageRef& vKeySrc, const ImageRef& vKeyDst, std::int32_t eSwap = 1);
    bool Create();
    void Destroy();
    std::int32_t IconSizeX() const { return iconSizeX_; }
    void SetIconSizeX(std::int32_t lSizeX);
    std::int32_t IconSizeY() const { return iconSizeY_; }
    void SetIconSizeY(std::int32_t lSizeY);
    std::int32_t ColourDepth() const { return colourDepth_; }
    void SetColourDepth(std::int32_t eDepth);
    std::int16_t ImageCount() const;
    void RemoveImage(const ImageRef& vKey);
    std::int32_t ItemIndex(const ImageRef& vKey) const;
    // Empty (an empty variant) for a position out of range, with error 9.
    std::optional<std::wstring> ItemKey(std::int32_t iIndex) const;
    void SetItemKey(std::int32_t iIndex, const ImageRef& vKey);
    bool KeyExists(const std::wstring& sKey);
    void Clear();
    // Loads an image file of type iType and adds it; -1 when added, else 0.
    std::int32_t AddFromFile(const std::wstring& sFileName, std::int32_t iType, const ImageRef& vKey = {},
                             bool bMapSysColors = false, std::int32_t lBackColor = -1,
                             const ImageRef& vKeyAfter = {});
    // Adds a bitmap (cut into images of the icon width), icon or cursor, at the end or after vKeyAfter.
    bool AddFromHandle(HANDLE hImage, std::int32_t iType, const ImageRef& vKey = {}, std::int32_t lBackColor = -1,
                       const ImageRef& vKeyAfter = {});
    HIMAGELIST hIml() const { return List(); }
    operator HIMAGELIST() const { return List(); }
    bool SaveToFile(const std::wstring& sFileName);
    // The image-list file SaveToFile writes, made in memory; empty when no image gives a record.
    std::vector<std::uint8_t> FileBytes();
    bool LoadFromFile(const std::wstring& sFileName);

    // The control's design look: its picture, a raised edge and the image count.
    void UserControl_Paint();

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Show() override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override;
    void ResetProperties() override;

private:
    void ResizeKeys();
    void SetKey(std::size_t i0, const ImageRef& vKey);
    void ParseKeys(std::size_t start, const std::wstring& keyText);
    void RaiseSubscript() const;
    void SwapImages(int i, int j);
    // Adds an image of type iType through the platform: the number of images the list gained, or 0 with the
    // list exactly as it was (also for an add that would take it past 32,767 images).
    int AddImage(HANDLE image, std::int32_t iType, std::int32_t lBackColor, int count0);
    // Moves the k images at the end to follow the first `after` in one pass: the new ones to scratch slots past
    // the end, the old ones after `after` back by k, the new ones into the gap; the keys move with them. False,
    // with the new images taken off again, when the list cannot grow for the scratch slots.
    bool PlaceAfter(int after, int count0, int k);
    // Decodes a run of records and adds their icons; stops at the first that does not decode.
    void AddRecords(std::span<const std::uint8_t> data, std::int32_t version);
    void RepaintInDesign();
    // The list, made first from the property set read last when that has not been done yet.
    HIMAGELIST List() const;

    // What UserControl_ReadProperties read, until the list is first used.
    struct Stored {
        std::int32_t version = 0;
        std::int32_t size = 0;
        rt::ByteArray images;
        std::wstring keys;
    };
    mutable std::optional<Stored> stored_;
    rt::ImageListHandle list_;
    std::int32_t iconSizeX_ = 16;
    std::int32_t iconSizeY_ = 16;
    std::int32_t colourDepth_ = 0;
    ImageKeys keys_;
};

}  // namespace imagelist
