#pragma once
// The combo box as a drop-down list: the user picks one of the entries and cannot type a text of their own.
// Each entry carries a number of the program's (ItemData) beside its text.
#include "runtime/Control_win.h"

#include <string>
#include <vector>

namespace rt {

class ComboBox : public Control {
public:
    ComboBox();

    // Adds an entry at `index` (the end when omitted or out of range); its ItemData is 0.
    void AddItem(std::wstring text, std::optional<int> index = std::nullopt);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The text of entry `index`; "" out of range.
    std::wstring List(int index) const;
    // The number kept with entry `index`; 0 out of range, where setting it does nothing.
    long ItemData(int index) const;
    void SetItemData(int index, long data);

    // The selected entry, -1 for none. Setting another entry (or -1) selects it and raises Click; indexes
    // out of range are ignored.
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // The selected entry's text.
    std::wstring Text() const { return List(listIndex_); }

    // Raised whenever the selection changes, by the user or by the program.
    std::function<void()> Click;

    void Move(int left, int top, int width, int height) override;

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ResetProperties() override;

private:
    struct Item {
        std::wstring text;
        long data = 0;
    };
    void FitDropDown();

    std::vector<Item> items_;
    int listIndex_ = -1;
};

}  // namespace rt
