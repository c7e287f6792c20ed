#pragma once
// The image: shows an icon (transparent where the icon is) or nothing. Its size follows the icon's.
#include "runtime/Control_win.h"

namespace rt {

class Image : public Control {
public:
    Image();

    HICON Picture() const { return picture_; }
    void SetPicture(HICON picture);  // not owned; nullptr for none

protected:
    WindowDescription DescribeWindow() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ResetProperties() override;

private:
    void Paint(HDC dc) const;

    HICON picture_ = nullptr;
};

}  // namespace rt
