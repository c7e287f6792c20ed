#pragma once
// Containers of other controls: the frame (a captioned border) and the picture box (a plain area that may
// show an icon). Controls inside take positions relative to them; option buttons inside form their own group.
#include "runtime/Control_win.h"

#include <string>

namespace rt {

class Frame : public Control {
public:
    Frame();

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);

protected:
    WindowDescription DescribeWindow() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ResetProperties() override;

private:
    std::wstring caption_;
};

class PictureBox : public Control {
public:
    PictureBox();

    HICON Picture() const { return picture_; }
    void SetPicture(HICON picture);  // not owned; nullptr for none
    bool Border() const { return border_; }
    void SetBorder(bool border) { border_ = border; }  // design-time: takes effect at the next Load

protected:
    WindowDescription DescribeWindow() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ResetProperties() override;

private:
    HICON picture_ = nullptr;
    bool border_ = true;
};

}  // namespace rt
