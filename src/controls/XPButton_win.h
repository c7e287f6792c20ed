#pragma once
// XPButton: the program's own push button. It paints a shaded face with a dark frame and cut corners, an
// orange ring while the pointer is over it and a blue one while it has the focus (or is the default button),
// and turns mouse, keyboard and access-key input into events for its host:
//
// - left click: MouseDown, MouseUp, Click; right click: MouseDown, MouseUp; middle: drawn down, no Click;
//   double click: MouseDown, MouseUp, Click, MouseDown, MouseUp;
// - Space: KeyDown (drawn down), KeyUp, Click; Left/Up and Right/Down move the focus backward/forward;
//   Alt with the caption's access key: Click;
// - MouseOver when the pointer arrives, MOUSEOUT within one OverTimer tick after it leaves (the timer runs only
//   while the pointer is over the button).
//
// With CheckBoxBehaviour it is a two-state button: each click or Space release inverts Value, and a button
// whose Value is True is drawn down. Every property setter redraws what it changes and names its persisted key
// to the host (PropertyChanges).
#include "controls/ButtonColors.h"
#include "controls/ButtonLayout.h"
#include "runtime/Picture_win.h"
#include "runtime/UserControl_win.h"

#include <functional>
#include <string>

namespace controls {

class XPButton : public rt::UserControl {
public:
    XPButton() = default;

    void SetBackColor(rt::OleColor theCol) override;  // in design mode also BackOver
    rt::OleColor BackOver() const { return backOver_; }
    void SetBackOver(rt::OleColor theCol);
    void SetForeColor(rt::OleColor theCol) override;  // in design mode also ForeOver
    rt::OleColor ForeOver() const { return foreOver_; }
    void SetForeOver(rt::OleColor theCol);
    rt::OleColor MaskColor() const { return maskColor_; }
    void SetMaskColor(rt::OleColor theCol);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring NewValue);
    void SetEnabled(bool NewValue) override;

    void SetFont(const rt::StdFont& NewFont) override;
    void SetFontBold(bool NewValue);
    bool FontItalic() const { return Font().italic; }
    void SetFontItalic(bool NewValue);
    bool FontUnderline() const { return Font().underline; }
    void SetFontUnderline(bool NewValue);
    int FontSize() const;  // to the nearest whole number
    void SetFontSize(int NewValue);
    const std::wstring& FontName() const { return Font().name; }
    void SetFontName(std::wstring NewValue);

    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool NewValue);
    bool SoftBevel() const { return softBevel_; }
    void SetSoftBevel(bool NewValue);
    const rt::PicturePtr& PictureNormal() const { return pictureNormal_; }
    void SetPictureNormal(rt::PicturePtr NewPic);
    const rt::PicturePtr& PictureOver() const { return pictureOver_; }  // kept and persisted, never drawn
    void SetPictureOver(rt::PicturePtr NewPic);
    int PicturePosition() const { return picturePosition_; }  // 0 left, 1 right, 2 above, 3 below, 4 behind
    void SetPicturePosition(int newPicPos);
    bool UseMaskColor() const { return useMaskColor_; }
    void SetUseMaskColor(bool NewValue);
    int SpecialEffect() const { return specialEffect_; }  // 0 none, 1 raised, 2 sunken, 3+ shadow
    void SetSpecialEffect(int NewValue);
    bool CheckBoxBehaviour() const { return checkBoxBehaviour_; }
    void SetCheckBoxBehaviour(bool NewValue);
    bool Value() const { return value_; }
    void SetValue(bool NewValue);  // nothing at all when unchanged

    // Stops all drawing until Refresh; Refresh re-derives colours and layout and redraws.
    void DisableRefresh() { mayDraw_ = false; }
    void Refresh();

    // Where the last layout put the caption and the picture's top-left corner (client pixels).
    PixelRect CaptionRect() const { return captionRect_; }
    PixelPoint PictureRect() const { return pictureAt_; }

    std::function<void()> MouseOver;
    std::function<void()> MOUSEOUT;

protected:
    void ResetProperties() override;

    void UserControl_Initialize() override { mayDraw_ = true; }
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Show() override;
    void UserControl_Hide() override { mayDraw_ = false; }
    void UserControl_Resize() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AccessKeyPress(int KeyAscii) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void UserControl_KeyDown(int& KeyCode, int Shift) override;
    void UserControl_KeyUp(int& KeyCode, int Shift) override;
    void UserControl_KeyPress(int& KeyAscii) override;
    void UserControl_Timer(UINT_PTR id) override;

private:
    void DrawButton(int state, bool force);
    void PrepareColors();
    ButtonColors ColorsFor(rt::OleColor face) const;
    void MeasurePicture();
    void LayoutCaption();
    void PicturePlace();
    void SetAccessKey();
    void BuildButtonRegion();
    bool IsMouseOver() const;
    void OverTimer_Timer();
    void ApplyEnabled(bool enabled);
    void ChangeFont(const rt::StdFont& font);

    int picturePosition_ = 0;
    int specialEffect_ = 0;
    int clientHeight_ = 0;
    int clientWidth_ = 0;
    rt::OleColor backOver_ = 0;
    rt::OleColor foreOver_ = 0;
    rt::OleColor maskColor_ = 0;
    bool useMaskColor_ = false;
    bool handFlag_ = false;
    rt::PicturePtr pictureNormal_;
    rt::PicturePtr pictureOver_;
    std::wstring caption_;
    PixelRect captionRect_;
    PixelRect pressedCaptionRect_;
    PixelPoint pictureAt_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    int lastButton_ = 0;
    int lastKey_ = 0;
    bool softBevel_ = false;
    bool hasFocus_ = false;
    bool showFocusRect_ = false;
    ButtonColors colors_;
    int lastState_ = 0;
    std::wstring lastCaption_;
    bool mayDraw_ = false;
    bool isHovered_ = false;
    bool shownOnce_ = false;
    int lastCaptionState_ = 0;
    bool checkBoxBehaviour_ = false;
    bool value_ = false;
};

}  // namespace controls
