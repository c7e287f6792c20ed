#include "controls/GrowingBuffer.h"

#include <algorithm>

namespace controls {

std::optional<std::wstring> ReadGrowing(const std::function<std::size_t(wchar_t*, std::size_t)>& read,
                                        std::size_t firstGuess)
{
    std::wstring buffer(std::max<std::size_t>(firstGuess, 1), L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::size_t length = read(buffer.data(), buffer.size());
        if (length == 0)
            return std::nullopt;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, L'\0');  // one more than asked, so a text of exactly that length fits too
    }
    return std::nullopt;
}

}  // namespace controls
