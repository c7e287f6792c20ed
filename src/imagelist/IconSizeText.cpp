#include "imagelist/IconSizeText.h"

#include "runtime/NumberText.h"

#include <cmath>

namespace imagelist {

std::optional<int> ParseIconSize(std::wstring_view text)
{
    const auto number = rt::ParseNumber(text);
    if (!number)
        return std::nullopt;
    const double value = *number;
    if (value < kMinIconSize || value > kMaxIconSize || std::floor(value) != value)
        return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace imagelist
