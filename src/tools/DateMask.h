#pragma once
// The ten-character date mask of the date tool's fields: "__/__/____" with the locale's date separator,
// typed over in place. The field hands its text and caret to these rules at each key and change and applies
// what comes back; every position they return lies within 0-10 and within the text, whatever the field holds.
#include <optional>
#include <string>
#include <string_view>

namespace tools {

class DateMask {
public:
    static constexpr int kLength = 10;

    explicit DateMask(wchar_t separator);

    wchar_t Separator() const { return separator_; }
    // "__" separator "__" separator "____".
    const std::wstring& Empty() const { return empty_; }

    struct Selection {
        int start = 0;
        int length = 0;
        friend bool operator==(const Selection&, const Selection&) = default;
    };

    // Before a key reaches the field: any key but Backspace and the arrows steps over a separator at the
    // caret and selects the one character there, so that a typed digit replaces it; Backspace right after
    // a separator moves before it, so that the digit and not the separator goes. Empty when the selection
    // stays as it is.
    std::optional<Selection> BeforeKey(std::wstring_view text, Selection selection, int keyCode) const;

    // After the text changed. A text of another length than 10 keeps what stands before the caret and
    // takes the mask from there on (the caret stays); a caret in front of a separator steps over it.
    struct Edit {
        std::wstring text;  // the text the field must hold
        int caret = 0;
    };
    Edit AfterChange(std::wstring_view text, int caret) const;

    // Checking a field that is left. An incomplete date is judged on its typed beginning (the "_" onwards
    // become blanks); a date is rewritten in `dateFormat`; the untouched mask stays; anything else, a date
    // before the year 1000 included, is refused and the field gets the empty mask.
    struct Check {
        std::wstring text;
        bool refused = false;
    };
    Check Validate(std::wstring_view text, std::wstring_view dateFormat) const;

private:
    wchar_t separator_;
    std::wstring empty_;
};

}  // namespace tools
