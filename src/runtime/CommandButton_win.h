#pragma once
// The plain push button of the system. A click, the space bar on it or its access key raise Click. Default
// only draws it as the default button: the form decides what Enter does.
#include "runtime/Control_win.h"

#include <string>

namespace rt {

class CommandButton : public Control {
public:
    CommandButton();

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);

protected:
    WindowDescription DescribeWindow() const override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAccessKey() override;
    void ResetProperties() override;

private:
    std::wstring caption_;
    bool default_ = false;
};

}  // namespace rt
