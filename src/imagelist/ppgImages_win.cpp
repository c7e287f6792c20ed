#include "imagelist/ppgImages_win.h"

#include "controls/mCommonDialog_win.h"
#include "controls/mDeclares_win.h"
#include "core/Module1_win.h"
#include "imagelist/IconList_win.h"
#include "imagelist/ImagesPageRules.h"
#include "runtime/ErrorState.h"
#include "runtime/Handles_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/Picture_win.h"
#include "runtime/Screen_win.h"

#include <windows.h>
#include <commctrl.h>

namespace imagelist {

namespace {

constexpr wchar_t kPopulate[] = L"POPULATE";
constexpr wchar_t kChanged[] = L"CHANGED";

constexpr wchar_t kFilter[] =
    L"ImageList Pictures (*.ICO;*.CUR;*.ANI;*.BMP;*.DIB;*.GIF)|*.ICO;*.CUR;*.ANI;*.BMP;*.GIF|Icon Files (*.ICO)|*.ICO|"
    L"Cursor Files (*.CUR;*.ANI)|*.CUR;*.ANI;|Bitmap Files (*.BMP;*.DIB)|*.BMP;*.DIB|GIF Files (*.GIF)|*.GIF|"
    L"All Files (*.*)|*.*";
constexpr DWORD kExplorerMultiSelect = 0x80200;

// Without a colour of its own, an animated cursor's frames are drawn on cyan, which then turns transparent.
constexpr COLORREF kFramesBackground = RGB(0, 255, 255);
constexpr rt::OleColor kColorButtonShadow = 0x80000010u;

const struct {
    const wchar_t* caption;
    int labelLeft, labelTop, labelWidth, boxTop;
    const wchar_t* text;
} kChannels[] = {
    {L"Re&d:", 480, 960, 495, 900, L"0"},
    {L"&Green:", 480, 1260, 555, 1200, L"255"},
    {L"&Blue:", 480, 1560, 555, 1500, L"255"},
};

bool AskYesNo(const std::wstring& text)
{
    return rt::MsgBox(text, rt::kMsgYesNo + rt::kMsgQuestion) == rt::kMsgResultYes;
}

ImageRef Position(int position)
{
    return static_cast<double>(position);
}

}  // namespace

ppgImages::ppgImages()
{
    AddControl(fraTransparentColour, {L"fraTransparentColour"});
    AddControl(lblBitmapColour, {L"lblBitmapColour", std::nullopt, &fraTransparentColour});
    for (int i = 0; i < 2; ++i)
        AddControl(optTransparentColour[i], {L"optTransparentColour", i, &fraTransparentColour});
    for (int i = 0; i < 3; ++i) {
        AddControl(lblRGB[i], {L"lblRGB", i, &fraTransparentColour});
        AddControl(txtRGB[i], {L"txtRGB", i, &fraTransparentColour});
    }
    AddControl(lblColor, {L"lblColor", std::nullopt, &fraTransparentColour});
    AddControl(cmdPickColour, {L"cmdPickColour", std::nullopt, &fraTransparentColour});
    AddControl(fraCurrent, {L"fraCurrent"});
    AddControl(lblItemIndex, {L"lblItemIndex", std::nullopt, &fraCurrent});
    AddControl(txtIndex, {L"txtIndex", std::nullopt, &fraCurrent});
    AddControl(cmdBack, {L"cmdBack", std::nullopt, &fraCurrent});
    AddControl(cmdNext, {L"cmdNext", std::nullopt, &fraCurrent});
    AddControl(lblItemKey, {L"lblItemKey", std::nullopt, &fraCurrent});
    AddControl(txtKey, {L"txtKey", std::nullopt, &fraCurrent});
    AddControl(chkSetKeys, {L"chkSetKeys", std::nullopt, &fraCurrent});
    AddControl(hscScroll, {L"hscScroll"});
    AddControl(cmdAdd, {L"cmdAdd"});
    AddControl(cmdRemove, {L"cmdRemove"});
    AddControl(cmdMoveDown, {L"cmdMoveDown"});
    AddControl(cmdMoveUp, {L"cmdMoveUp"});
    AddControl(cmdClear, {L"cmdClear"});

    for (int i = 0; i < 2; ++i)
        optTransparentColour[i].Click = [this, i] { optTransparentColour_Click(i); };
    for (int i = 0; i < 3; ++i)
        txtRGB[i].Change = [this, i] { txtRGB_Change(i); };
    cmdPickColour.Click = [this] { cmdPickColour_Click(); };
    cmdBack.Click = [this] { cmdBack_Click(); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    txtKey.Change = [this] { txtKey_Change(); };
    hscScroll.Change = [this] { hscScroll_Change(); };
    hscScroll.Scroll = [this] { hscScroll_Scroll(); };
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdRemove.Click = [this] { cmdRemove_Click(); };
    cmdMoveDown.Click = [this] { cmdMoveDown_Click(); };
    cmdMoveUp.Click = [this] { cmdMoveUp_Click(); };
    cmdClear.Click = [this] { cmdClear_Click(); };
}

void ppgImages::Design()
{
    SetCaption(L"Images");
    SetFont(rt::StdFont{L"Tahoma", 8.25});
    Move(Left(), Top(), 5790, 4650);
    fraTransparentColour.Move(60, 0, 5655, 2055);
    lblBitmapColour.SetCaption(L"Bitmap &Transparent Colour (set before adding bitmaps or GIFs):");
    lblBitmapColour.Move(120, 180, 5355, 315);
    optTransparentColour[0].SetCaption(L"&Set Automatically from Top-Left Pixel of Image");
    optTransparentColour[0].Move(180, 420, 5115, 255);
    optTransparentColour[0].SetValue(true);
    optTransparentColour[1].SetCaption(L"Use Co&lour:");
    optTransparentColour[1].Move(180, 660, 5115, 195);
    for (int i = 0; i < 3; ++i) {
        lblRGB[i].SetCaption(kChannels[i].caption);
        lblRGB[i].Move(kChannels[i].labelLeft, kChannels[i].labelTop, kChannels[i].labelWidth, 195);
        txtRGB[i].Move(1080, kChannels[i].boxTop, 795, 315);
        txtRGB[i].SetText(kChannels[i].text);
    }
    lblColor.Move(1980, 900, 1155, 915);
    const auto button = [](rt::CommandButton& b, const wchar_t* caption, const wchar_t* tip, int left, int top,
                           int width) {
        b.SetCaption(caption);
        b.SetToolTipText(tip);
        b.Move(left, top, width, 315);
    };
    button(cmdPickColour, L"&Pick...", L"Choose Transparent Colour", 3180, 900, 1035);

    fraCurrent.Move(60, 2040, 5655, 915);
    lblItemIndex.SetCaption(L"I&ndex:");
    lblItemIndex.Move(120, 240, 555, 195);
    txtIndex.Move(720, 180, 1215, 315);
    // The arrows are glyphs of the Marlett font.
    cmdBack.SetFont(rt::StdFont{L"Marlett", 8.25});
    button(cmdBack, L"3", L"Select Previous Icon", 2040, 180, 315);
    cmdNext.SetFont(rt::StdFont{L"Marlett", 8.25});
    button(cmdNext, L"4", L"Select Next Icon", 2355, 180, 315);
    lblItemKey.SetCaption(L"&Key:");
    lblItemKey.Move(2820, 240, 435, 195);
    txtKey.Move(3240, 180, 2175, 345);
    chkSetKeys.SetCaption(L"&Set Keys from Filename(s)");
    chkSetKeys.Move(3240, 600, 2235, 195);

    hscScroll.Move(90, 3840, 5610, 195);
    hscScroll.SetVisible(false);
    button(cmdAdd, L"&Add...", L"Add One or More Images", 120, 4260, 1035);
    button(cmdRemove, L"&Remove...", L"Remove Selected Image", 1200, 4260, 1035);
    button(cmdMoveDown, L"<<", L"Move Selected Image Back", 2340, 4260, 1035);
    button(cmdMoveUp, L">>", L"Move Selected Image Forward", 3420, 4260, 1035);
    button(cmdClear, L"&Clear...", L"Clear the Image List", 4680, 4260, 1035);
}

IconList* ppgImages::Selected() const
{
    return dynamic_cast<IconList*>(SelectedControls(0));
}

void ppgImages::PropertyPage_Initialize()
{
    SelectedImage = 0;
    txtRGB_Change(0);
    hscScroll.SetVisible(false);
    optTransparentColour_Click(0);
}

void ppgImages::PropertyPage_SelectionChanged()
{
    const IconList* list = Selected();
    const bool holdsImages = list && list->ImageCount() > 0;
    txtKey.SetBackColor(holdsImages ? rt::kColorWindowBackground : rt::kColorButtonFace);
    DrawImages();
}

void ppgImages::PropertyPage_ApplyChanges()
{
    if (SelectedImage > -1)
        CommitKey();
    DrawImages();
}

// The page's image was made anew (its first showing, a new size): the strip goes back on it.
void ppgImages::PropertyPage_Paint()
{
    PaintStrip();
}

// Another page may have re-created the list (a new icon size) while this one was hidden.
void ppgImages::OnShow()
{
    PropertyPage::OnShow();
    PaintStrip();
}

// ---- Adding ----

void ppgImages::cmdAdd_Click()
{
    IconList* list = Selected();
    if (!list)
        return;
    controls::FileDialogArgs dialog{.fileMustExist = true,
                                    .filter = kFilter,
                                    .dialogTitle = L"Choose Icon to add",
                                    .defaultExtension = L"ICO",
                                    .owner = cmdAdd.hWnd(),
                                    .extraFlags = kExplorerMultiSelect};
    if (!controls::ShowFileDialog(dialog) || dialog.fileName.empty())
        return;
    const std::int32_t colour =
        optTransparentColour[0].Value() ? -1 : static_cast<std::int32_t>(lblColor.BackColor());
    for (const std::wstring& path : SplitDialogAnswer(dialog.fileName))
        AddFile(*list, path, colour);
    if (SelectedImage < 0)
        SelectedImage = 0;
    if (SelectedImage > list->ImageCount() - 1)
        SelectedImage = list->ImageCount() - 1;
    DrawImages();
    SetChanged(true);
}

void ppgImages::AddFile(IconList& list, const std::wstring& path, std::int32_t colour)
{
    const int countBefore = list.ImageCount();
    const bool setKeys = chkSetKeys.Value() == 1;
    const std::wstring key = setKeys ? KeyFromFileName(path) : std::wstring();
    const ImageRef after = Position(SelectedImage + 1);
    switch (LoaderFor(path)) {
    case ImageLoader::Icon:
        list.AddFromFile(path, kImageIcon, key, false, -1, after);
        break;
    case ImageLoader::Cursor:
        list.AddFromFile(path, kImageCursor, key, false, -1, after);
        break;
    case ImageLoader::AnimatedCursor:
        if (AskYesNo(Module1::CarregaMensagem(751, path)))
            AddCursorFrames(path, SelectedImage + 1, key);
        else
            list.AddFromFile(path, kImageCursor, key, false, -1, after);
        break;
    case ImageLoader::Bitmap:
        list.AddFromFile(path, kImageBitmap, key, false, colour, after);
        break;
    case ImageLoader::Picture: {
        const auto loaded = rt::LoadPicture(path);
        if (const auto* picture = std::get_if<rt::PicturePtr>(&loaded); picture && *picture && (*picture)->Bitmap())
            list.AddFromHandle((*picture)->Bitmap(), kImageBitmap, key, colour, after);
        break;
    }
    }
    const int countAfter = list.ImageCount();
    if (countAfter == countBefore) {
        rt::MsgBox(Module1::CarregaMensagem(752, path), rt::kMsgOkOnly + rt::kMsgInformation);
        return;
    }
    if (countAfter > countBefore + 1 && setKeys) {
        // Only the images this file gave: those of earlier files keep their keys.
        const AddedImages added = AddedPositions(countBefore, countAfter, SelectedImage);
        int suffix = 1;
        const auto exists = [&list](const std::wstring& candidate) { return list.KeyExists(candidate); };
        for (int j = 0; j < added.count; ++j)
            list.SetItemKey(added.first + j, UniqueKey(key, suffix, exists));
    }
    rt::Err().Clear();  // a refused key is no failure of the add
}

void ppgImages::AddCursorFrames(const std::wstring& sFileName, int lKeyAfter, const std::wstring& sKey)
{
    IconList* list = Selected();
    if (!list)
        return;
    const int cx = list->IconSizeX();
    const int cy = list->IconSizeY();
    if (!ImageFileLoads(sFileName, kImageCursor))
        return;
    rt::CursorHandle cursor(static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), sFileName.c_str(), IMAGE_CURSOR, cx, cy, LR_LOADFROMFILE)));
    if (!cursor)
        return;
    rt::MemoryDcHandle screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!screen)
        return;
    rt::MemoryDcHandle memory(CreateCompatibleDC(screen.get()));
    if (!memory)
        return;
    // Flags 0 draw nothing; the call fails past the last frame (or never, for a file that is no animation).
    const int frames = CountFrames([&](int step) {
        return DrawIconEx(memory.get(), 0, 0, cursor.get(), cx, cy, static_cast<UINT>(step), nullptr, 0) != FALSE;
    });
    if (frames == 0)
        return;
    rt::BitmapHandle strip(CreateCompatibleBitmap(screen.get(), cx * frames, cy));
    if (!strip)
        return;
    const COLORREF background =
        optTransparentColour[0].Value() ? kFramesBackground : rt::TranslateColor(lblColor.BackColor());
    {
        rt::SelectScope select(memory.get(), strip.get());
        const RECT all{0, 0, cx * frames, cy};
        rt::BrushHandle brush(CreateSolidBrush(background));
        FillRect(memory.get(), &all, brush.get());
        for (int i = 0; i < frames; ++i)
            DrawIconEx(memory.get(), i * cx, 0, cursor.get(), cx, cy, static_cast<UINT>(i), nullptr, DI_NORMAL);
    }
    list->AddFromHandle(strip.get(), kImageBitmap, sKey, static_cast<std::int32_t>(background), Position(lKeyAfter));
}

// ---- Removing, clearing, moving ----

void ppgImages::cmdRemove_Click()
{
    IconList* list = Selected();
    if (!list || !list->hIml())
        return;
    if (list->ImageCount() > 0) {
        list->RemoveImage(Position(SelectedImage + 1));
        // The set the host keeps has changed: offer to apply it, as adding and clearing do.
        SetChanged(true);
    } else {
        cmdRemove.SetEnabled(false);
    }
    DrawImages();
}

void ppgImages::cmdClear_Click()
{
    if (!AskYesNo(Module1::CarregaMensagem(753)))
        return;
    if (IconList* list = Selected())
        list->Clear();
    DrawImages();
    SetChanged(true);
}

void ppgImages::cmdMoveDown_Click()
{
    IconList* list = Selected();
    if (!list || !list->hIml() || SelectedImage < 1 || list->ImageCount() <= 0)
        return;
    CommitKey();
    list->SwapOrCopyImage(Position(SelectedImage + 1), Position(SelectedImage));
    --SelectedImage;
    ScrollToSelected(-1);
    DrawImages();
    SetChanged(true);
}

void ppgImages::cmdMoveUp_Click()
{
    IconList* list = Selected();
    if (!list || !list->hIml() || SelectedImage < 0 || list->ImageCount() <= SelectedImage + 1)
        return;
    CommitKey();
    list->SwapOrCopyImage(Position(SelectedImage + 1), Position(SelectedImage + 2));
    ++SelectedImage;
    ScrollToSelected(1);
    DrawImages();
    SetChanged(true);
}

// ---- The key of the selected image ----

void ppgImages::txtKey_Change()
{
    if (txtKey.Tag() == kPopulate)
        return;
    SetChanged(true);
    txtKey.SetTag(kChanged);
}

void ppgImages::CommitKey()
{
    if (txtKey.Tag() != kChanged || SelectedImage < 0)
        return;
    if (IconList* list = Selected()) {
        rt::Err().Clear();
        list->SetItemKey(SelectedImage + 1, txtKey.Text());
        if (rt::Err().Number() != 0) {
            const std::wstring description = rt::Err().Description();
            rt::Err().Clear();
            rt::MsgBox(description, rt::kMsgOkOnly + rt::kMsgInformation);
        }
    }
    txtKey.SetTag(L"");
}

// ---- The transparent colour ----

void ppgImages::optTransparentColour_Click(int Index)
{
    const bool automatic = optTransparentColour[0].Value();
    for (int i = 0; i < 3; ++i) {
        txtRGB[i].SetLocked(automatic);
        txtRGB[i].SetBackColor(automatic ? rt::kColorButtonFace : rt::kColorWindowBackground);
        txtRGB[i].SetForeColor(automatic ? kColorButtonShadow : rt::kColorWindowText);
        lblRGB[i].SetForeColor(automatic ? kColorButtonShadow : rt::kColorWindowText);
    }
    if (automatic)
        lblColor.SetBackColor(rt::kColorButtonFace);
    else
        ShowTransparentColour();
    cmdPickColour.SetEnabled(!automatic);
}

void ppgImages::ShowTransparentColour()
{
    if (!optTransparentColour[1].Value()) {
        lblColor.SetBackColor(rt::kColorButtonFace);
        return;
    }
    const int red = ParseRGB(txtRGB[0].Text());
    const int green = ParseRGB(txtRGB[1].Text());
    const int blue = ParseRGB(txtRGB[2].Text());
    lblColor.SetBackColor(static_cast<rt::OleColor>(red + green * 256 + blue * 65536));
}

void ppgImages::txtRGB_Change(int Index)
{
    CommitKey();
    ShowTransparentColour();
}

void ppgImages::cmdPickColour_Click()
{
    std::int32_t colour = controls::TranslateOleColor(lblColor.BackColor());
    if (!controls::ShowColorDialog(colour, true, true, false, cmdPickColour.hWnd()))
        return;
    txtRGB[0].SetText(std::to_wstring(colour & 0xFF));
    txtRGB[1].SetText(std::to_wstring((colour & 0xFF00) >> 8));
    txtRGB[2].SetText(std::to_wstring((colour & 0xFF0000) >> 16));
    ShowTransparentColour();
}

// ---- The strip ----

int ppgImages::PaintStrip()
{
    const StripLayout layout{fraCurrent.Left(), fraCurrent.Top(), fraCurrent.Width(), fraCurrent.Height(),
                             hscScroll.Top(),   hscScroll.Height()};
    StripRect = imagelist::StripRect(layout, rt::Screen::TwipsPerPixelX(), rt::Screen::TwipsPerPixelY());
    const PixelRect inner = InnerRect(StripRect);
    HDC dc = hDC();
    RECT outer{StripRect.left, StripRect.top, StripRect.right, StripRect.bottom};
    rt::RegionHandle clip;
    if (dc) {
        rt::BrushHandle window(CreateSolidBrush(rt::TranslateColor(rt::kColorWindowBackground)));
        FillRect(dc, &outer, window.get());
        DrawEdge(dc, &outer, EDGE_SUNKEN, BF_RECT);
        clip.reset(CreateRectRgn(inner.left, inner.top, inner.right, inner.bottom));
        SelectClipRgn(dc, clip.get());
    }
    const IconList* list = Selected();
    const HIMAGELIST images = list ? list->hIml() : nullptr;
    int count = 0;
    if (images) {
        count = ImageList_GetImageCount(images);
        if (SelectedImage >= count)
            SelectedImage = count - 1;
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        if (const ScrollSettings scroll = StripScroll(StripRect, count, cx); scroll.visible) {
            // Each setting redraws the bar: only what differs is set.
            if (hscScroll.Max() != scroll.max)
                hscScroll.SetMax(scroll.max);
            hscScroll.SetSmallChange(scroll.smallChange);
            if (hscScroll.LargeChange() != scroll.largeChange)
                hscScroll.SetLargeChange(scroll.largeChange);
            hscScroll.SetVisible(true);
        } else {
            hscScroll.SetValue(0);
            hscScroll.SetVisible(false);
        }
        if (dc) {
            for (const StripCell& cell : DrawnCells(StripRect, count, cx, hscScroll.Value())) {
                ImageList_Draw(images, cell.index, dc, cell.x, cell.y, ILD_TRANSPARENT);
                if (cell.index == SelectedImage) {
                    const PixelRect edge = SelectionEdge(StripRect, cell.x, cx, cy);
                    RECT raised{edge.left, edge.top, edge.right, edge.bottom};
                    DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT);
                }
            }
        }
    }
    if (dc) {
        SelectClipRgn(dc, nullptr);
        if (hWnd()) {
            InvalidateRect(hWnd(), &outer, FALSE);
            UpdateWindow(hWnd());
        }
    }
    return count;
}

void ppgImages::DrawImages()
{
    const int count = PaintStrip();
    cmdNext.SetEnabled(SelectedImage < count - 1);
    cmdBack.SetEnabled(SelectedImage > 0);
    cmdMoveUp.SetEnabled(cmdNext.Enabled());
    cmdMoveDown.SetEnabled(cmdBack.Enabled());
    cmdRemove.SetEnabled(count > 0);
    if (count == 0) {
        txtIndex.SetText(L"");
        txtIndex.SetEnabled(false);
        txtKey.SetText(L"");
        txtKey.SetEnabled(false);
        return;
    }
    // Images were drawn, so there is a list, and the strip has held the selection below the count.
    txtIndex.SetText(std::to_wstring(SelectedImage + 1) + L" of " + std::to_wstring(count));
    txtIndex.SetEnabled(true);
    txtKey.SetTag(kPopulate);
    if (SelectedImage >= 0) {
        txtKey.SetText(Selected()->ItemKey(SelectedImage + 1).value_or(L""));
        rt::Err().Clear();
    }
    txtKey.SetEnabled(true);
    txtKey.SetTag(L"");
}

void ppgImages::ScrollToSelected(int iDirection)
{
    const IconList* list = Selected();
    if (!list || !list->hIml() || list->ImageCount() <= 0 || !hscScroll.Visible())
        return;
    if (const auto value = imagelist::ScrollToSelected(StripRect, iDirection == 1, SelectedImage, list->IconSizeX(),
                                                       hscScroll.Value(), hscScroll.Max()))
        hscScroll.SetValue(*value);
}

void ppgImages::cmdBack_Click()
{
    const IconList* list = Selected();
    if (!list || !list->hIml() || list->ImageCount() < 1) {
        cmdBack.SetEnabled(false);
        return;
    }
    CommitKey();
    --SelectedImage;
    ScrollToSelected(-1);
    DrawImages();
}

void ppgImages::cmdNext_Click()
{
    const IconList* list = Selected();
    if (!list || !list->hIml() || list->ImageCount() < 1) {
        cmdNext.SetEnabled(false);
        return;
    }
    if (SelectedImage < list->ImageCount()) {
        CommitKey();
        ++SelectedImage;
        ScrollToSelected(1);
        DrawImages();
    }
}

void ppgImages::hscScroll_Change()
{
    CommitKey();
    DrawImages();
}

void ppgImages::hscScroll_Scroll()
{
    hscScroll_Change();
}

void ppgImages::PropertyPage_MouseDown(int Button, int Shift, float X, float Y)
{
    CommitKey();
    const IconList* list = Selected();
    if (!list || !list->hIml())
        return;
    const int x = TwipsToPixels(X, rt::Screen::TwipsPerPixelX());
    const int y = TwipsToPixels(Y, rt::Screen::TwipsPerPixelY());
    if (const auto index =
            HitTest(StripRect, x, y, hscScroll.Visible(), hscScroll.Value(), list->IconSizeX(), list->ImageCount())) {
        SelectedImage = *index;
        DrawImages();
    }
}

}  // namespace imagelist
