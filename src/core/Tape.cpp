#include "core/Tape.h"


namespace core {

namespace {

constexpr size_t kLineWidth = 26;

}  // namespace

std::wstring ClearedTapeHeader(std::wstring_view date, std::wstring_view time)
{
    std::wstring line = L" ";
    line += date;
    line += L' ';
    line += time;
    line += L' ';
    // At least three "=" even if the stamp is long, so the tape still reads as closed.
    line.append(line.size() + 3 <= kLineWidth ? kLineWidth - line.size() : 3, L'=');
    line += L"\r\n";
    return line;
}

std::wstring BackupRecord(std::wstring_view date, std::wstring_view time, std::wstring_view tape,
                          std::wstring_view separator)
{
    std::wstring record = L"--- ";
    record += date;
    record += L' ';
    record += time;
    record += L" ---\r\n";
    record += tape;
    record += separator;
    return record;
}

std::string ToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        // A UTF-16 surrogate pair (Windows) becomes one code point; a lone surrogate becomes U+FFFD.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace core
