#include "controls/XPButton_win.h"

#include "controls/ButtonPainter.h"
#include "controls/ButtonSurface_win.h"
#include "controls/HandCursor_win.h"
#include "runtime/App_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Screen_win.h"

#include <cmath>

namespace controls {

namespace {

constexpr UINT_PTR kOverTimer = 1;
constexpr UINT kOverTimerInterval = 3;  // milliseconds

constexpr int kButtonLeft = 1;
constexpr int kButtonRight = 2;

constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

constexpr rt::OleColor kWhite = 0xFFFFFF;
constexpr rt::OleColor kBlack = 0x000000;
constexpr rt::OleColor kBlue = 0xFF0000;
constexpr rt::OleColor kDefaultMask = 0xC0C0C0;

// An OLE colour as RGB; the button draws one that does not translate (an unknown system colour) in black.
Rgb Translate(rt::OleColor color)
{
    const COLORREF rgb = rt::TranslateColor(color);
    return rgb == CLR_INVALID ? 0 : rgb;
}

rt::OleColor ReadColor(const rt::PropertyBag& bag, std::wstring_view key, rt::OleColor fallback)
{
    return static_cast<rt::OleColor>(bag.Read<std::int32_t>(key, static_cast<std::int32_t>(fallback)));
}

}  // namespace

void XPButton::ResetProperties()
{
    UserControl::ResetProperties();
    // Every load makes a new instance: all fields start at zero, false, empty or none.
    picturePosition_ = 0;
    specialEffect_ = 0;
    clientHeight_ = 0;
    clientWidth_ = 0;
    backOver_ = 0;
    foreOver_ = 0;
    maskColor_ = 0;
    useMaskColor_ = false;
    handFlag_ = false;
    pictureNormal_.reset();
    pictureOver_.reset();
    caption_.clear();
    captionRect_ = {};
    pressedCaptionRect_ = {};
    pictureAt_ = {};
    pictureWidth_ = 0;
    pictureHeight_ = 0;
    lastButton_ = 0;
    lastKey_ = 0;
    softBevel_ = false;
    hasFocus_ = false;
    showFocusRect_ = false;
    colors_ = {};
    lastState_ = 0;
    lastCaption_.clear();
    mayDraw_ = false;
    isHovered_ = false;
    shownOnce_ = false;
    lastCaptionState_ = 0;
    checkBoxBehaviour_ = false;
    value_ = false;
}

// Properties

void XPButton::SetBackColor(rt::OleColor theCol)
{
    Control::SetBackColor(theCol);
    if (!Ambient().UserMode)
        backOver_ = theCol;
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"BCOL");
}

void XPButton::SetBackOver(rt::OleColor theCol)
{
    backOver_ = theCol;
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"BCOLO");
}

void XPButton::SetForeColor(rt::OleColor theCol)
{
    if (!Ambient().UserMode)
        foreOver_ = theCol;
    UserControl::SetForeColor(theCol);  // also the text colour of the drawing image
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"FCOL");
}

void XPButton::SetForeOver(rt::OleColor theCol)
{
    foreOver_ = theCol;
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"FCOLO");
}

void XPButton::SetMaskColor(rt::OleColor theCol)
{
    maskColor_ = theCol;
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"MCOL");
}

void XPButton::SetCaption(std::wstring NewValue)
{
    caption_ = std::move(NewValue);
    SetAccessKey();
    LayoutCaption();
    DrawButton(0, true);
    PropertyChanged(L"TX");
}

void XPButton::SetEnabled(bool NewValue)
{
    ApplyEnabled(NewValue);
    DrawButton(0, true);
    PropertyChanged(L"ENAB");
}

// The window takes input only while the button is enabled, from the first load on, so a disabled key never
// reaches its host; over a disabled button the pointer is the default one.
void XPButton::ApplyEnabled(bool enabled)
{
    Control::SetEnabled(enabled);
    SetMouseIcon(ButtonHandCursor());
    SetMousePointer(enabled ? rt::kPointerCustom : rt::kPointerDefault);
}

void XPButton::ChangeFont(const rt::StdFont& font)
{
    Control::SetFont(font);
    LayoutCaption();
    DrawButton(0, true);
}

void XPButton::SetFont(const rt::StdFont& NewFont)
{
    ChangeFont(NewFont);
    PropertyChanged(L"FONT");
}

void XPButton::SetFontBold(bool NewValue)
{
    rt::StdFont font = Font();
    font.bold = NewValue;
    ChangeFont(font);
}

void XPButton::SetFontItalic(bool NewValue)
{
    rt::StdFont font = Font();
    font.italic = NewValue;
    ChangeFont(font);
}

void XPButton::SetFontUnderline(bool NewValue)
{
    rt::StdFont font = Font();
    font.underline = NewValue;
    ChangeFont(font);
}

int XPButton::FontSize() const
{
    return static_cast<int>(std::nearbyint(Font().size));
}

void XPButton::SetFontSize(int NewValue)
{
    rt::StdFont font = Font();
    font.size = NewValue;
    ChangeFont(font);
}

void XPButton::SetFontName(std::wstring NewValue)
{
    rt::StdFont font = Font();
    font.name = std::move(NewValue);
    ChangeFont(font);
}

void XPButton::SetShowFocusRect(bool NewValue)
{
    showFocusRect_ = NewValue;
    DrawButton(lastState_, true);
    PropertyChanged(L"FOCUSR");
}

void XPButton::SetSoftBevel(bool NewValue)
{
    softBevel_ = NewValue;
    PrepareColors();
    DrawButton(lastState_, true);
    PropertyChanged(L"SOFT");
}

void XPButton::SetPictureNormal(rt::PicturePtr NewPic)
{
    pictureNormal_ = std::move(NewPic);
    MeasurePicture();
    LayoutCaption();
    DrawButton(lastState_, true);
    PropertyChanged(L"PICN");
}

void XPButton::SetPictureOver(rt::PicturePtr NewPic)
{
    pictureOver_ = std::move(NewPic);
    if (isHovered_)
        DrawButton(lastState_, true);
    PropertyChanged(L"PICH");
}

void XPButton::SetPicturePosition(int newPicPos)
{
    picturePosition_ = newPicPos;
    PropertyChanged(L"PICPOS");
    LayoutCaption();
    DrawButton(lastState_, true);
}

void XPButton::SetUseMaskColor(bool NewValue)
{
    useMaskColor_ = NewValue;
    if (pictureNormal_)
        DrawButton(lastState_, true);
    PropertyChanged(L"UMCOL");
}

void XPButton::SetSpecialEffect(int NewValue)
{
    specialEffect_ = NewValue;
    DrawButton(lastState_, true);
    PropertyChanged(L"FX");
}

void XPButton::SetCheckBoxBehaviour(bool NewValue)
{
    checkBoxBehaviour_ = NewValue;
    DrawButton(lastState_, true);
    PropertyChanged(L"CHECK");
}

void XPButton::SetValue(bool NewValue)
{
    if (NewValue == value_)
        return;
    value_ = NewValue;
    if (checkBoxBehaviour_)
        DrawButton(0, true);
    else
        DrawButton(NewValue ? kStateDown : kStateUp, false);
    PropertyChanged(L"VALUE");
}

void XPButton::Refresh()
{
    PrepareColors();
    LayoutCaption();
    mayDraw_ = true;
    DrawButton(lastState_, true);
}

// Life cycle

void XPButton::UserControl_InitProperties()
{
    ApplyEnabled(true);
    showFocusRect_ = true;
    useMaskColor_ = true;
    caption_ = Ambient().DisplayName;
    rt::StdFont font = Font();
    font.name = L"Verdana";
    Control::SetFont(font);
    Control::SetBackColor(kWhite);
    backOver_ = kWhite;
    UserControl::SetForeColor(kBlack);
    foreOver_ = kBlue;
    maskColor_ = kDefaultMask;
    PrepareColors();
    LayoutCaption();
    handFlag_ = true;
}

void XPButton::UserControl_ReadProperties(const rt::PropertyBag& PropBag)
{
    caption_ = PropBag.Read<std::wstring>(L"TX", L"");
    ApplyEnabled(PropBag.Read(L"ENAB", true));
    Control::SetFont(PropBag.Read(L"FONT", Font()));
    showFocusRect_ = PropBag.Read(L"FOCUSR", true);
    Control::SetBackColor(ReadColor(PropBag, L"BCOL", GetSysColor(COLOR_BTNFACE)));
    backOver_ = ReadColor(PropBag, L"BCOLO", BackColor());
    UserControl::SetForeColor(ReadColor(PropBag, L"FCOL", GetSysColor(COLOR_BTNTEXT)));
    foreOver_ = ReadColor(PropBag, L"FCOLO", ForeColor());
    maskColor_ = ReadColor(PropBag, L"MCOL", kDefaultMask);
    pictureNormal_ = PropBag.Read<rt::PicturePtr>(L"PICN", nullptr);
    pictureOver_ = PropBag.Read<rt::PicturePtr>(L"PICH", nullptr);
    useMaskColor_ = PropBag.Read(L"UMCOL", true);
    softBevel_ = PropBag.Read(L"SOFT", false);
    picturePosition_ = PropBag.Read<std::int32_t>(L"PICPOS", 0);
    specialEffect_ = PropBag.Read<std::int32_t>(L"FX", 0);
    checkBoxBehaviour_ = PropBag.Read(L"CHECK", false);
    value_ = PropBag.Read(L"VALUE", false);
    MeasurePicture();
    LayoutCaption();
    SetAccessKey();
    PrepareColors();
}

void XPButton::UserControl_WriteProperties(rt::PropertyBag& PropBag)
{
    // Every key on every save, in this order.
    PropBag.Write(L"TX", caption_);
    PropBag.Write(L"ENAB", Enabled());
    PropBag.Write(L"FONT", Font());
    PropBag.Write(L"FOCUSR", showFocusRect_);
    PropBag.Write(L"BCOL", static_cast<std::uint32_t>(BackColor()));
    PropBag.Write(L"BCOLO", static_cast<std::uint32_t>(backOver_));
    PropBag.Write(L"FCOL", static_cast<std::uint32_t>(ForeColor()));
    PropBag.Write(L"FCOLO", static_cast<std::uint32_t>(foreOver_));
    PropBag.Write(L"MCOL", static_cast<std::uint32_t>(maskColor_));
    PropBag.Write(L"PICN", pictureNormal_);
    PropBag.Write(L"PICH", pictureOver_);
    PropBag.Write(L"UMCOL", useMaskColor_);
    PropBag.Write(L"SOFT", softBevel_);
    PropBag.Write(L"PICPOS", static_cast<std::int32_t>(picturePosition_));
    PropBag.Write(L"FX", static_cast<std::int32_t>(specialEffect_));
    PropBag.Write(L"HAND", handFlag_);
    PropBag.Write(L"CHECK", checkBoxBehaviour_);
    PropBag.Write(L"VALUE", value_);
}

void XPButton::UserControl_Show()
{
    mayDraw_ = true;
    shownOnce_ = true;
    DrawButton(0, true);
    ApplyEnabled(Enabled());
}

void XPButton::UserControl_Resize()
{
    const SIZE client = ClientPixels();
    clientWidth_ = client.cx;
    clientHeight_ = client.cy;
    LayoutCaption();
    BuildButtonRegion();
    if (clientHeight_ != 0)
        DrawButton(0, true);
}

// Input

void XPButton::UserControl_MouseDown(int Button, int Shift, float X, float Y)
{
    Raise(MouseDown, Button, Shift, X, Y);
    lastButton_ = Button;
    if (Button != kButtonRight)
        DrawButton(kStateDown, false);
}

void XPButton::UserControl_MouseUp(int Button, int Shift, float X, float Y)
{
    Raise(MouseUp, Button, Shift, X, Y);
    if (Button != kButtonRight)
        DrawButton(kStateUp, false);
}

void XPButton::UserControl_Click()
{
    if (lastButton_ != kButtonLeft || !Enabled())
        return;
    if (checkBoxBehaviour_)
        value_ = !value_;
    DrawButton(kStateUp, true);
    RepaintNow();
    Raise(Click);
}

void XPButton::UserControl_DblClick()
{
    if (lastButton_ != kButtonLeft)
        return;
    UserControl_MouseDown(kButtonLeft, 0, 0, 0);
    // The release reaches this control; the form runtime ends the capture with the last button released.
    if (hWnd())
        SetCapture(hWnd());
}

void XPButton::UserControl_MouseMove(int Button, int Shift, float X, float Y)
{
    Raise(MouseMove, Button, Shift, X, Y);
    if (Button != 0 && Button != kButtonLeft)
        return;
    if (!IsMouseOver()) {
        DrawButton(kStateUp, false);
        return;
    }
    if (Button == 0 && !isHovered_) {
        StartTimer(kOverTimer, kOverTimerInterval);
        isHovered_ = true;
        DrawButton(kStateUp, true);
        Raise(MouseOver);
    } else if (Button == kButtonLeft) {
        // The down look while the pointer is over the button takes the hover face colour.
        isHovered_ = true;
        DrawButton(kStateDown, false);
        isHovered_ = false;
    }
}

void XPButton::UserControl_Timer(UINT_PTR id)
{
    if (id == kOverTimer)
        OverTimer_Timer();
}

void XPButton::OverTimer_Timer()
{
    if (IsMouseOver())
        return;
    StopTimer(kOverTimer);
    isHovered_ = false;
    DrawButton(kStateUp, true);
    Raise(MOUSEOUT);
}

bool XPButton::IsMouseOver() const
{
    POINT cursor{};
    if (!hWnd() || !GetCursorPos(&cursor))
        return false;
    return WindowFromPoint(cursor) == hWnd();  // the window region leaves the cut corners out
}

void XPButton::UserControl_KeyDown(int& KeyCode, int Shift)
{
    Raise(KeyDown, KeyCode, Shift);
    lastKey_ = KeyCode;
    switch (KeyCode) {
    case kKeySpace:
        DrawButton(kStateDown, false);
        break;
    case kKeyLeft:
    case kKeyUp:
        rt::SendKeys(L"+{Tab}");
        break;
    case kKeyRight:
    case kKeyDown:
        rt::SendKeys(L"{Tab}");
        break;
    default:
        break;
    }
}

void XPButton::UserControl_KeyUp(int& KeyCode, int Shift)
{
    Raise(KeyUp, KeyCode, Shift);
    if (KeyCode != kKeySpace || lastKey_ != kKeySpace)
        return;
    if (checkBoxBehaviour_)
        value_ = !value_;
    DrawButton(kStateUp, false);
    RepaintNow();
    Raise(Click);
}

void XPButton::UserControl_KeyPress(int& KeyAscii)
{
    Raise(KeyPress, KeyAscii);
}

void XPButton::UserControl_AccessKeyPress(int KeyAscii)
{
    lastButton_ = kButtonLeft;
    UserControl_Click();
}

void XPButton::UserControl_GotFocus()
{
    hasFocus_ = true;
    DrawButton(lastState_, true);
}

void XPButton::UserControl_LostFocus()
{
    hasFocus_ = false;
    DrawButton(lastState_, true);
}

// Drawing

ButtonColors XPButton::ColorsFor(rt::OleColor face) const
{
    return controls::PrepareColors(Translate(face), Translate(ForeColor()), Translate(foreOver_), Translate(maskColor_),
                                   softBevel_);
}

void XPButton::PrepareColors()
{
    colors_ = ColorsFor(BackColor());
}

void XPButton::DrawButton(int state, bool force)
{
    if (checkBoxBehaviour_ && value_)
        state = kStateDown;
    if (!force && caption_ == lastCaption_ && state == lastState_)
        return;
    if (clientHeight_ == 0 || !mayDraw_ || !hDC())
        return;
    lastState_ = state;
    lastCaption_ = caption_;
    Cls();

    ButtonLook look;
    look.width = clientWidth_;
    look.height = clientHeight_;
    look.state = state;
    look.enabled = Enabled();
    look.hovered = isHovered_;
    look.focusRing = showFocusRect_ && (hasFocus_ || Ambient().DisplayAsDefault);
    look.soft = softBevel_;
    look.specialEffect = specialEffect_;
    look.picturePosition = picturePosition_;
    look.hasPicture = pictureNormal_ != nullptr;
    // While hovered every colour of the draw comes from BackOver.
    look.colors = isHovered_ ? ColorsFor(backOver_) : colors_;
    look.captionRect = captionRect_;
    look.pressedCaptionRect = pressedCaptionRect_;
    look.picture = pictureAt_;

    GdiButtonSurface surface(hDC(), caption_);
    surface.SetPicture(pictureNormal_.get(), pictureWidth_, pictureHeight_, look.colors.MaskRGB, useMaskColor_);
    const int captionState = PaintButton(surface, look);
    if (captionState >= 0)
        lastCaptionState_ = captionState;
}

void XPButton::MeasurePicture()
{
    if (!pictureNormal_) {
        pictureWidth_ = 0;
        pictureHeight_ = 0;
        return;
    }
    pictureWidth_ = rt::HimetricToPixelsX(pictureNormal_->Width());
    pictureHeight_ = rt::HimetricToPixelsY(pictureNormal_->Height());
}

void XPButton::LayoutCaption()
{
    if (!hDC())
        return;  // the caption is measured with the drawing image's font
    const PixelRect box = CaptionStartBox(picturePosition_, clientWidth_, clientHeight_, pictureWidth_, pictureHeight_);
    RECT measured{box.left, box.top, box.right, box.bottom};
    DrawTextW(hDC(), caption_.c_str(), static_cast<int>(caption_.size()), &measured, DT_CALCRECT | DT_WORDBREAK);
    captionRect_ = PlaceCaption(picturePosition_, clientWidth_, clientHeight_, pictureWidth_, pictureHeight_,
                                {box.left, box.top, measured.right, measured.bottom});
    pressedCaptionRect_ = captionRect_.Offset(1, 1);
    PicturePlace();
}

void XPButton::PicturePlace()
{
    if (!pictureNormal_ && !pictureOver_)
        return;
    pictureAt_ = PlacePicture(picturePosition_, clientWidth_, clientHeight_, pictureWidth_, pictureHeight_,
                              captionRect_, IsBlankCaption(caption_));
}

void XPButton::SetAccessKey()
{
    const wchar_t key = ButtonAccessKey(caption_);
    SetAccessKeys(key ? std::wstring(1, key) : std::wstring());
}

void XPButton::BuildButtonRegion()
{
    if (!hWnd())
        return;
    const int w = clientWidth_;
    const int h = clientHeight_;
    // The client less the corner pixel and its two edge neighbours at each corner: three overlapping bands.
    const RECT bands[] = {{2, 0, w - 2, h}, {1, 1, w - 1, h - 1}, {0, 2, w, h - 2}};
    rt::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (!region) {
        RT_LOG_LAST_ERROR("CreateRectRgn");
        return;
    }
    for (const RECT& band : bands) {
        if (band.right <= band.left || band.bottom <= band.top)
            continue;
        rt::RegionHandle part(CreateRectRgn(band.left, band.top, band.right, band.bottom));
        if (part)
            CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    // The window owns the region from here on and frees the one it replaces. Not yet on screen (made before
    // its form shows), there is nothing to redraw: that would only move the window in place once more.
    if (SetWindowRgn(hWnd(), region.get(), IsWindowVisible(hWnd())))
        region.release();
    else
        RT_LOG_LAST_ERROR("SetWindowRgn");
}

}  // namespace controls
