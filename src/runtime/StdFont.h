#pragma once
// A font as forms and controls describe it: face name, size in points (fractions such as 8.25 allowed) and
// style. A value type; the Win32 side turns it into a font handle.
#include <string>

namespace rt {

struct StdFont {
    std::wstring name = L"MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    friend bool operator==(const StdFont&, const StdFont&) = default;
};

}  // namespace rt
