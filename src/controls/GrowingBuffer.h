#pragma once
// Reads a text from a platform call that fills a buffer of a given size and, when the buffer is too small,
// answers with the size it needs (terminator included) instead of the text.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace controls {

// `read(buffer, size)` returns the text's length when it fits (below `size`), the size it needs when it does
// not, and 0 when it fails. The call is repeated with the size asked for, up to a few times in case the text
// grows meanwhile. nullopt when the call fails.
std::optional<std::wstring> ReadGrowing(const std::function<std::size_t(wchar_t*, std::size_t)>& read,
                                        std::size_t firstGuess);

}  // namespace controls
