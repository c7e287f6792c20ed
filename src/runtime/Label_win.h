#pragma once
// The label: a caption drawn on an opaque background, clipped to the label. CR LF and a lone CR break lines,
// "&" marks the access key (Alt+key focuses the next control in tab order).
#include "runtime/Control_win.h"

#include <string>

namespace rt {

class Label : public Control {
public:
    Label();

    const std::wstring& Caption() const { return caption_; }
    // A different caption raises Change.
    void SetCaption(std::wstring caption);
    // The label takes the size of its caption (on one line per line break).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    Alignment TextAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    std::function<void()> Change;

protected:
    WindowDescription DescribeWindow() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnAccessKey() override;
    void OnFontChanged() override;
    void ResetProperties() override;

private:
    void FitToCaption();
    void Paint(HDC dc, const RECT& client) const;

    std::wstring caption_;
    bool autoSize_ = false;
    bool wordWrap_ = true;
    Alignment alignment_ = Alignment::Left;
};

}  // namespace rt
