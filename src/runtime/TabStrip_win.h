#pragma once
// The tab strip: a row of captioned tabs, one selected. It holds no controls: the form shows what belongs to
// the selected tab. The user changes tabs with the mouse, the arrow keys on the strip, or Ctrl+Tab anywhere
// on the form (the form forwards it with NextTab).
#include "runtime/Control_win.h"

#include <string>
#include <vector>

namespace rt {

class TabStrip : public Control {
public:
    TabStrip();

    void AddTab(std::wstring caption);
    int TabCount() const { return static_cast<int>(captions_.size()); }
    // The selected tab from 0; setting another one raises Click.
    int SelectedIndex() const { return selected_; }
    void SetSelectedIndex(int index);
    // Selects the next tab (the previous one when `backward`), going round.
    void NextTab(bool backward);
    // The area below the tabs, in twips relative to the strip's container.
    RECT DisplayArea() const;

    std::function<void()> Click;

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ResetProperties() override;

private:
    std::vector<std::wstring> captions_;
    int selected_ = 0;
};

}  // namespace rt
