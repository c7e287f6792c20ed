#include "imagelist/ImageKeys.h"

#include "imagelist/ImageListFile.h"
#include "runtime/NumberText.h"

#include <algorithm>
#include <utility>

namespace imagelist {

namespace {

// The position a number names, when it lies within 1 ... count.
int PositionOf(double number, std::size_t count)
{
    const auto whole = rt::ToLong(number);
    if (!whole || *whole < 1 || static_cast<std::size_t>(*whole) > count)
        return -1;
    return *whole;
}

}  // namespace

bool IsBlankKey(std::wstring_view key)
{
    return key.find_first_not_of(L' ') == std::wstring_view::npos;
}

std::wstring KeyText(const ImageRef& ref)
{
    if (const double* number = std::get_if<double>(&ref))
        return rt::GeneralText(*number);
    if (const std::wstring* text = std::get_if<std::wstring>(&ref))
        return *text;
    return {};
}

void ImageKeys::Fit(std::size_t count)
{
    keys_.resize(count);
}

KeyResult ImageKeys::Set(std::size_t i, std::wstring key)
{
    if (key.find(kKeySeparator) != std::wstring::npos)
        return KeyResult::HasSeparator;  // it would split into two keys in the stores
    if (keys_.size() <= i)
        keys_.resize(i + 1);
    if (!IsBlankKey(key)) {
        for (std::size_t j = 0; j < keys_.size(); ++j)
            if (j != i && keys_[j] == key)
                return KeyResult::Duplicate;
    }
    keys_[i] = std::move(key);
    return KeyResult::Stored;
}

void ImageKeys::Assign(std::size_t start, const std::vector<std::wstring>& pieces)
{
    for (std::size_t k = 0; k < pieces.size() && start + k < keys_.size(); ++k)
        keys_[start + k] = pieces[k];
}

void ImageKeys::Remove(std::size_t i)
{
    if (i < keys_.size())
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(i));
}

void ImageKeys::Swap(std::size_t i, std::size_t j)
{
    if (i < keys_.size() && j < keys_.size())
        std::swap(keys_[i], keys_[j]);
}

void ImageKeys::Rotate(std::size_t first, std::size_t middle, std::size_t last)
{
    if (first <= middle && middle <= last && last <= keys_.size())
        std::rotate(keys_.begin() + static_cast<std::ptrdiff_t>(first),
                    keys_.begin() + static_cast<std::ptrdiff_t>(middle),
                    keys_.begin() + static_cast<std::ptrdiff_t>(last));
}

bool ImageKeys::Contains(std::wstring_view key) const
{
    for (const std::wstring& k : keys_)
        if (k == key)
            return true;
    return false;
}

int ImageKeys::Find(const ImageRef& ref, std::size_t count) const
{
    if (const double* number = std::get_if<double>(&ref))
        return PositionOf(*number, count);
    const std::wstring* text = std::get_if<std::wstring>(&ref);
    if (!text)
        return -1;
    if (const auto number = rt::ParseNumber(*text)) {
        const int position = PositionOf(*number, count);
        if (position > 0)
            return position;
    }
    for (std::size_t i = 0; i < count && i < keys_.size(); ++i)
        if (keys_[i] == *text)
            return static_cast<int>(i) + 1;
    // Images beyond the keys have no key yet: an empty text finds the first of them.
    if (text->empty() && keys_.size() < count)
        return static_cast<int>(keys_.size()) + 1;
    return -1;
}

}  // namespace imagelist
