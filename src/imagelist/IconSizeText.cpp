#include "imagelist/IconSizeText.h"

#include "runtime/NumberText.h"

#include <cmath>

namespace imagelist {

std::optional<int> ParseIconSize(std::wstring_view text)
{
    const auto number = rt::ParseNumber(text);
    if (!number)
        return std::nullopt;
    // The size is the number's whole number, as the list's size properties take it: to the nearest, halves to
    // the even one (the default rounding of nearbyint).
    const double size = std::nearbyint(*number);
    if (!(size >= kMinIconSize && size <= kMaxIconSize))
        return std::nullopt;
    return static_cast<int>(size);
}

}  // namespace imagelist
