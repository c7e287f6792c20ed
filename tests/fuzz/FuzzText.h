#pragma once
// Fuzz input as text: UTF-16 code units, or Latin-1 bytes when the size is odd, so that short ASCII texts are
// easy to reach.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::wstring FuzzText(const uint8_t* data, size_t size)
{
    std::wstring text;
    if (size % 2 == 0) {
        for (size_t i = 0; i + 1 < size; i += 2)
            text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    } else {
        for (size_t i = 0; i < size; ++i)
            text += static_cast<wchar_t>(data[i]);
    }
    return text;
}
