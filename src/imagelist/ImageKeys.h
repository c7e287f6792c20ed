#pragma once
// The keys of an image list: one text per image (entry i belongs to position i + 1), and how a caller's
// position-or-key argument finds an image.
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace imagelist {

// A position or a key as callers pass it: omitted, a number, or a text. A text that reads as a number is a
// position.
using ImageRef = std::variant<std::monostate, double, std::wstring>;

enum class KeyResult { Stored, Duplicate, HasSeparator };

class ImageKeys {
public:
    // Fits the keys to `count` images: entries kept, new ones empty.
    void Fit(std::size_t count);
    void Erase() { keys_.clear(); }
    std::size_t size() const { return keys_.size(); }
    const std::wstring& operator[](std::size_t i) const { return keys_[i]; }
    const std::vector<std::wstring>& All() const { return keys_; }

    // Stores the key of 0-based index i (the keys grow to reach it). A key that another image already has is
    // refused, unless it is blank (empty or spaces only); so is a key holding the separator of the stores.
    KeyResult Set(std::size_t i, std::wstring key);
    // Stores keys from the stores without any test: piece k goes to index start + k while there are images.
    void Assign(std::size_t start, const std::vector<std::wstring>& pieces);

    void Remove(std::size_t i);
    void Swap(std::size_t i, std::size_t j);
    // Moves the keys of [middle, last) to stand from `first` on, those of [first, middle) behind them.
    void Rotate(std::size_t first, std::size_t middle, std::size_t last);

    // Exact, case-sensitive.
    bool Contains(std::wstring_view key) const;

    // The 1-based position that `ref` names among `count` images, or -1: a number or a numeric text rounded
    // to the nearest whole number (halves to even) within 1 ... count; otherwise the first image whose key
    // equals the text. An omitted argument names nothing.
    int Find(const ImageRef& ref, std::size_t count) const;

private:
    std::vector<std::wstring> keys_;
};

// The text a key argument stores: "" for omitted, the number's digits, or the text itself.
std::wstring KeyText(const ImageRef& ref);

// Empty or spaces only.
bool IsBlankKey(std::wstring_view key);

}  // namespace imagelist
