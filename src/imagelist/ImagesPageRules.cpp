#include "imagelist/ImagesPageRules.h"

#include "runtime/NumberText.h"
#include "runtime/Strings.h"

#include <algorithm>

namespace imagelist {

int ParseRGB(std::wstring_view text)
{
    const auto whole = rt::ToLong(rt::LeadingNumber(text));
    if (!whole)
        return 0;
    return std::clamp<std::int32_t>(*whole, 0, 255);
}

std::wstring UniqueKey(const std::wstring& base, int& suffix, const std::function<bool(const std::wstring&)>& keyExists)
{
    auto candidate = suffix == 0 ? base : base + L":" + std::to_wstring(suffix);
    while (keyExists(candidate)) {
        ++suffix;
        candidate = base + L":" + std::to_wstring(suffix);
    }
    return candidate;
}

std::vector<std::wstring> SplitDialogAnswer(std::wstring_view answer)
{
    std::vector<std::wstring> paths;
    const auto firstNul = answer.find(L'\0');
    if (firstNul == std::wstring_view::npos) {
        if (!answer.empty())
            paths.emplace_back(answer);
        return paths;
    }
    std::wstring folder(answer.substr(0, firstNul));
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    std::size_t start = firstNul + 1;
    while (start <= answer.size()) {
        const auto end = std::min(answer.find(L'\0', start), answer.size());
        if (end > start)
            paths.push_back(folder + std::wstring(answer.substr(start, end - start)));
        start = end + 1;
    }
    return paths;
}

namespace {

// The name without its folder.
std::wstring_view FileName(std::wstring_view path)
{
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

// Taken from the name alone, so that a dot in a folder's name is no extension.
std::wstring FileExtension(std::wstring_view path)
{
    const auto name = FileName(path);
    const auto dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring() : rt::UpperCase(name.substr(dot + 1));
}

std::wstring KeyFromFileName(std::wstring_view path)
{
    auto name = FileName(path);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring_view::npos && dot + 1 < name.size())
        name = name.substr(0, dot);
    return rt::UpperCase(name);
}

ImageLoader LoaderFor(std::wstring_view path)
{
    const auto ext = FileExtension(path);
    if (ext == L"ICO")
        return ImageLoader::Icon;
    if (ext == L"CUR")
        return ImageLoader::Cursor;
    if (ext == L"ANI")
        return ImageLoader::AnimatedCursor;
    if (ext == L"BMP" || ext == L"DIB")
        return ImageLoader::Bitmap;
    return ImageLoader::Picture;
}

// The page passes the selected image's position as the one to follow; the list appends instead when the
// list was empty, nothing was selected, or the position names no image.
AddedImages AddedPositions(int countBefore, int countAfter, int selectedImage)
{
    const int count = std::max(countAfter - countBefore, 0);
    const bool placed = countBefore > 0 && selectedImage >= 0 && selectedImage < countBefore;
    return {placed ? selectedImage + 2 : countBefore + 1, count};
}

int CountFrames(const std::function<bool(int step)>& drawsStep, int cap)
{
    int frames = 0;
    while (frames < cap && drawsStep(frames))
        ++frames;
    return frames == cap ? 1 : frames;
}

}  // namespace imagelist
