#pragma once
// Splits one fuzz input into the values a target needs: small numbers and texts. Texts are drawn mostly from
// the characters the readers care about (digits, separators, signs, blanks, "E", "/", "_"), so that short
// inputs reach their interesting paths, and now and then from any UTF-16 unit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// What must hold for every input: a broken rule names itself, then stops the run as a finding.
#define FUZZ_REQUIRE(condition)                                                      \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // A number in 0..count-1.
    int Pick(int count) { return count > 0 ? Byte() % count : 0; }
    // A text of up to `maxLength` characters; a length byte first.
    std::wstring Text(size_t maxLength = 24)
    {
        static constexpr wchar_t kCommon[] = L"0123456789.,-+ E/_e$%()\u00a0\u00d7\u00f7|\r\n\t1234567890";
        std::wstring text;
        const size_t length = Byte() % (maxLength + 1);
        for (size_t i = 0; i < length && !Empty(); ++i) {
            const uint8_t b = Byte();
            if (b < 0xF0) {
                text += kCommon[b % (sizeof kCommon / sizeof kCommon[0] - 1)];
            } else {
                const uint8_t low = Byte();
                text += static_cast<wchar_t>((b & 0x0F) << 12 | low << 4 | (low >> 4));
            }
        }
        return text;
    }

    // The text of a one-line box: what a line break would end never gets in.
    std::wstring Box(size_t maxLength = 24)
    {
        std::wstring text = Text(maxLength);
        std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace fuzz
