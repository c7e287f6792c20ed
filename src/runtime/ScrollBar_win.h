#pragma once
// The horizontal scroll bar: a Value between Min and Max that the user moves by SmallChange with the arrows,
// by LargeChange with a click beside the thumb or Page Up/Down, or by dragging the thumb.
#include "runtime/Control_win.h"

namespace rt {

class HScrollBar : public Control {
public:
    HScrollBar();

    // Setting Value to a number outside Min..Max does nothing; a new value raises Change.
    int Value() const { return value_; }
    void SetValue(int value);
    int Min() const { return min_; }
    void SetMin(int min);
    // A Max below the current Value pulls Value down with it (raising Change).
    int Max() const { return max_; }
    void SetMax(int max);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change) { smallChange_ = change > 0 ? change : 1; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change);

    // Change: the value changed (by the program, an arrow, a page step, or at the end of a drag).
    // Scroll: the thumb is being dragged; Value already holds the thumb's position.
    std::function<void()> Change;
    std::function<void()> Scroll;

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ResetProperties() override;

private:
    void ShowRange();
    void MoveTo(int value, bool dragging);

    int value_ = 0;
    int min_ = 0;
    int max_ = 32767;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool dragged_ = false;  // Scroll was raised and the drag has not ended yet
};

}  // namespace rt
