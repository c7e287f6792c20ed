#pragma once
// Check boxes and option buttons. A click gives Click, then MouseUp. Setting Value by code raises Click when
// it selects (option) or changes (check box) the value.
#include "runtime/Control_win.h"

#include <string>
#include <vector>

namespace rt {

class CheckBox : public Control {
public:
    CheckBox();

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // 0 unticked, 1 ticked. A change raises Click.
    int Value() const { return value_; }
    void SetValue(int value);

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAccessKey() override;
    void ResetProperties() override;

private:
    std::wstring caption_;
    int value_ = 0;
};

// Option buttons in the same container form one group: at most one is selected; none is a valid state.
class OptionButton : public Control {
public:
    OptionButton();

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // True selects this option (clearing the others of its group) and raises Click when it was not selected;
    // False clears it without an event.
    bool Value() const { return value_; }
    void SetValue(bool value);

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnAccessKey() override;
    void ResetProperties() override;

private:
    friend class Form;
    void Select();
    void ShowValue();
    std::vector<OptionButton*> Group() const;

    std::wstring caption_;
    bool value_ = false;
};

}  // namespace rt
