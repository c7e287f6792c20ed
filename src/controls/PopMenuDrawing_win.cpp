#include "controls/PopMenu_win.h"

#include "controls/MenuPainter.h"
#include "controls/MenuSurface_win.h"
#include "controls/mDeclares_win.h"
#include "core/ProgramState.h"

#include <algorithm>
#include "runtime/Graphics_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Screen_win.h"

namespace controls {

namespace {

constexpr rt::OleColor kMenuText = 0x80000007u;
constexpr rt::OleColor kHighlightText = 0x8000000Eu;
constexpr rt::OleColor kWindowBackground = 0x80000005u;
constexpr rt::OleColor kMenu = 0x80000004u;
constexpr rt::OleColor kButtonFace = 0x8000000Fu;
constexpr rt::OleColor kHighlight = 0x8000000Du;
constexpr rt::OleColor kButtonShadow = 0x80000010u;
constexpr rt::OleColor kHighlight3d = 0x80000014u;
constexpr Rgb kBlack = 0;

// The menu font the control starts with: the main window's own.
const rt::StdFont kDefaultFont{.name = L"Tahoma", .size = 8.25};

Rgb Translated(rt::OleColor color)
{
    return static_cast<Rgb>(TranslateOleColor(color));
}

// Text widths in the measuring context's font, bold through a bold variant made for the one measurement.
class DcMeasurer : public MenuTextMeasurer {
public:
    DcMeasurer(HDC dc, cNCMetrics& metrics) : dc_(dc), metrics_(metrics) {}
    int Extent(const std::wstring& text, bool bold) override
    {
        const rt::FontHandle boldFont = bold ? metrics_.BoldenedFontHandle(cNCMetrics::kMenu) : rt::FontHandle();
        const rt::SelectScope select(dc_, boldFont.get());
        RECT rect{};
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
        return rect.right - rect.left;
    }

private:
    HDC dc_;
    cNCMetrics& metrics_;
};

}  // namespace

void PopMenu::ResetProperties()
{
    rt::UserControl::ResetProperties();
    // A control that was never given a font still draws: with the main window's.
    SetFont(kDefaultFont);
    // Nothing of the control shows on its host at run time: only the menus it draws.
    SetVisible(!Ambient().UserMode);
    // Its window is then made at the box's size, not made at the default size and moved to it.
    Move(Left(), Top(), kBoxPixels * rt::Screen::TwipsPerPixelX(), kBoxPixels * rt::Screen::TwipsPerPixelY());
}

void PopMenu::UserControl_Initialize()
{
    itemHeight_ = 22;
    iconHeight_ = 16;
    activeFore_ = inactiveFore_ = menuBack_ = kUnsetColour;
}

rt::OleColor PopMenu::ActiveMenuForeColor() const
{
    if (activeFore_ != kUnsetColour)
        return activeFore_;
    return officeXpStyle_ ? kMenuText : kHighlightText;
}

rt::OleColor PopMenu::InActiveMenuForeColor() const
{
    return inactiveFore_ != kUnsetColour ? inactiveFore_ : kMenuText;
}

rt::OleColor PopMenu::MenuBackgroundColor() const
{
    if (menuBack_ != kUnsetColour)
        return menuBack_;
    return officeXpStyle_ ? kWindowBackground : kMenu;
}

void PopMenu::ClearBackgroundPicture()
{
    pictureDc_.reset();
    picture_.reset();
    pictureWidth_ = pictureHeight_ = 0;
}

void PopMenu::SetBackgroundPicture(rt::PicturePtr sPic)
{
    ClearBackgroundPicture();
    if (!sPic)
        return;
    // The picture goes into a context of its own, an icon first onto a bitmap of its size.
    rt::MemoryBitmap context;
    if (HBITMAP bitmap = sPic->Bitmap()) {
        context = rt::MemoryBitmap(nullptr);
        context.Show(bitmap);
    } else if (HICON icon = sPic->Icon()) {
        ICONINFO info{};
        if (GetIconInfo(icon, &info)) {
            const rt::BitmapHandle mask(info.hbmMask);
            const rt::BitmapHandle color(info.hbmColor);
            BITMAP size{};
            GetObjectW(info.hbmMask, sizeof size, &size);
            const int height = info.hbmColor ? size.bmHeight : size.bmHeight / 2;
            context = rt::MemoryBitmap(nullptr, size.bmWidth, height);
            if (context)
                DrawIconEx(context.dc(), 0, 0, icon, size.bmWidth, height, 0, nullptr, DI_NORMAL);
        }
    }
    BITMAP size{};
    if (!context.bitmap() || !GetObjectW(context.bitmap(), sizeof size, &size))
        return;
    picture_ = std::move(sPic);
    pictureDc_ = std::move(context);
    pictureWidth_ = size.bmWidth;
    pictureHeight_ = size.bmHeight;
}

void PopMenu::SetImageList(HIMAGELIST vImageList)
{
    imageListSource_ = nullptr;
    imageList_ = vImageList;
    int width = 0;
    int height = 0;
    if (imageList_ && ImageList_GetImageCount(imageList_) > 0 && ImageList_GetIconSize(imageList_, &width, &height))
        iconHeight_ = height;
}

void PopMenu::SetImageListSource(std::function<HIMAGELIST()> source)
{
    imageListSource_ = std::move(source);
    imageList_ = nullptr;
}

void PopMenu::EnsureImageList()
{
    if (!imageListSource_)
        return;
    const int before = iconHeight_;
    const std::function<HIMAGELIST()> source = std::move(imageListSource_);
    SetImageList(source());
    // Rows measured from here on fit the list's icons.
    if (iconHeight_ != before && metricsRead_)
        RefreshMetrics();
}

void PopMenu::RefreshMetrics()
{
    if (!measureDc_) {
        measureDc_.reset(CreateCompatibleDC(nullptr));
        if (!measureDc_) {
            RT_LOG_LAST_ERROR("CreateCompatibleDC");
            return;
        }
    }
    measureFont_.Restore();  // the fonts are made anew below
    metrics_.GetMetrics();
    measureFont_.Select(measureDc_.get(), metrics_.FontHandle(cNCMetrics::kMenu));
    RECT rect{};
    DrawTextW(measureDc_.get(), L"yY", 2, &rect, DT_CALCRECT);
    const int h = rect.bottom - rect.top;
    itemHeight_ = h > iconHeight_ + 6 ? h + 6 : iconHeight_ + 6;
    metricsRead_ = true;
    if (HWND host = HostWindow())
        DrawMenuBar(host);
}

void PopMenu::EnsureMetrics()
{
    if (!metricsRead_)
        RefreshMetrics();
    if (!dottedBrush_.Handle())
        dottedBrush_.Create();
}

bool PopMenu::IsHighColour()
{
    return colorMemory_.IsHighColour(DisplayBitsPerPixel);
}

MenuColors PopMenu::Colors()
{
    MenuColors c;
    c.menuBack = Translated(MenuBackgroundColor());
    c.activeFore = Translated(ActiveMenuForeColor());
    c.inactiveFore = Translated(InActiveMenuForeColor());
    c.buttonFace = Translated(kButtonFace);
    c.highlight = Translated(kHighlight);
    c.buttonShadow = Translated(kButtonShadow);
    c.highlight3d = Translated(kHighlight3d);
    c.faceBlend = BlendColors(static_cast<std::int32_t>(c.menuBack), static_cast<std::int32_t>(c.buttonFace), 128);
    c.highlightBlend = BlendColors(static_cast<std::int32_t>(c.highlight), static_cast<std::int32_t>(c.menuBack), 80);
    c.checkTint = BlendColors(static_cast<std::int32_t>(c.highlight), static_cast<std::int32_t>(c.faceBlend), 40);
    c.lightBack = colorMemory_.AdjustLuminance(static_cast<std::int32_t>(c.menuBack));
    const int weights[3] = {128, 64, 32};
    for (int i = 0; i < 3; ++i)
        c.shadowLines[i] = BlendColors(kBlack, static_cast<std::int32_t>(c.buttonFace), weights[i]);
    return c;
}

bool PopMenu::IsTopLevelItem(int index) const
{
    HWND host = HostWindow();
    return items_.Has(index) && host && items_[index].hMenu == reinterpret_cast<MenuId>(GetMenu(host));
}

void PopMenu::MeasureItem(UINT itemId, UINT& itemWidth, UINT& itemHeight)
{
    const int index = items_.IndexForId(itemId);
    if (!items_.Has(index))
        return;
    EnsureMetrics();
    MenuMetrics metrics;
    metrics.rowHeight = itemHeight_;
    metrics.iconSize = iconHeight_;
    metrics.menuBarHeight = GetSystemMetrics(SM_CYMENU);
    metrics.flat = officeXpStyle_;
    metrics.win98 = core::Program().Plataforma == 1;
    DcMeasurer measurer(measureDc_.get(), metrics_);
    MenuItemSize size{static_cast<int>(itemWidth), static_cast<int>(itemHeight)};
    MeasureMenuItem(items_, index, IsTopLevelItem(index), metrics, measurer, size);
    itemWidth = static_cast<UINT>(std::max(size.width, 0));
    itemHeight = static_cast<UINT>(std::max(size.height, 0));
}

void PopMenu::DrawItem(const DRAWITEMSTRUCT& drawItem, int index)
{
    if (!items_.Has(index))
        return;
    EnsureMetrics();
    const MenuItemRecord& item = items_[index];
    const RECT& rcItem = drawItem.rcItem;
    MenuItemLook look;
    look.width = rcItem.right - rcItem.left;
    look.height = rcItem.bottom - rcItem.top;
    look.top = rcItem.top;
    surface_.Width(look.width + 1);
    surface_.Height(look.height + 1);
    HDC dc = surface_.hdc();
    if (!dc)
        return;
    look.topLevel = IsTopLevelItem(index);
    look.flat = officeXpStyle_;
    look.highColour = IsHighColour();
    look.hasPicture = static_cast<bool>(pictureDc_);

    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    HMENU menu = reinterpret_cast<HMENU>(drawItem.hwndItem);
    if (GetMenuItemInfoW(menu, drawItem.itemID, FALSE, &info)) {
        look.separator = (info.fType & MFT_SEPARATOR) != 0;
        look.checked = (info.fState & MFS_CHECKED) != 0;
        look.disabled = (info.fState & kStateGrayed) == kStateGrayed;
        look.hot = (info.fState & MFS_HILITE) != 0;
    }
    look.selected = (drawItem.itemState & ODS_SELECTED) != 0;
    look.hotTracked = (drawItem.itemState & ODS_HOTLIGHT) != 0;
    look.radio = item.bRadio;
    look.enabled = item.bEnabled;
    look.iconIndex = item.lIconIndex;
    look.shortcutBase = item.lWidth;
    look.caption = item.sCaption;
    look.shortcut = item.sShortcut;
    look.rowHeight = itemHeight_;
    look.iconSize = iconHeight_;
    look.colors = Colors();

    const rt::StdFont menuFont = metrics_.Font(measureDc_.get(), cNCMetrics::kMenu).value_or(Font());
    GdiMenuSurface::Resources resources;
    resources.captionFont = rt::CachedFont(CaptionFontFor(Font(), menuFont, item, look.checked));
    resources.markFont = glyphFont_ ? glyphFont_ : rt::CachedFont(MarkFontFor(Font()));
    resources.dottedBrush = &dottedBrush_;
    resources.imageList = imageList_;
    resources.iconIndex = item.lIconIndex;
    resources.iconSize = iconHeight_;
    resources.pictureDc = pictureDc_.dc();
    resources.pictureWidth = pictureWidth_;
    resources.pictureHeight = pictureHeight_;
    {
        GdiMenuSurface surface(dc, resources);
        PaintMenuItem(surface, look);
    }
    if (!BitBlt(drawItem.hDC, rcItem.left, rcItem.top, look.width + 1, MenuCopyHeight(look), dc, 0, 0, SRCCOPY))
        RT_LOG_LAST_ERROR("BitBlt");
}

}  // namespace controls
