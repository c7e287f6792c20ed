#include "controls/DialogText.h"

#include <algorithm>

namespace controls {

std::wstring FilterText(std::wstring_view filter)
{
    std::wstring text(filter);
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L'|' || c == L':'; }, L'\0');
    text.append(2, L'\0');
    return text;
}

std::uint32_t FileDialogFlags(bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly,
                              std::uint32_t extraFlags)
{
    std::uint32_t flags = extraFlags & ~(kFileEnableHook | kFileEnableTemplate);
    if (fileMustExist)
        flags |= kFileMustExist;
    if (multiSelect)
        flags |= kFileAllowMultiSelect;
    if (readOnly)
        flags |= kFileReadOnly;
    if (hideReadOnly)
        flags |= kFileHideReadOnly;
    return flags;
}

std::size_t FileBufferSize(std::uint32_t flags)
{
    return (flags & kFileAllowMultiSelect) ? 8192 : 260;
}

std::wstring FileBuffer(std::wstring_view text, std::size_t size)
{
    std::wstring buffer(size, L'\0');
    if (size > 0)
        text.copy(buffer.data(), std::min(text.size(), size - 1));
    return buffer;
}

std::wstring TrimAtNull(std::wstring_view text)
{
    return std::wstring(text.substr(0, text.find(L'\0')));
}

ChosenFile ReadChosenFile(std::wstring_view fileBuffer, std::wstring_view titleBuffer, std::uint32_t flags)
{
    ChosenFile chosen;
    if (flags & kFileAllowMultiSelect) {
        const auto pair = fileBuffer.find(std::wstring_view(L"\0\0", 2));
        chosen.fileName = pair == std::wstring_view::npos ? TrimAtNull(fileBuffer)
                                                          : std::wstring(fileBuffer.substr(0, pair));
    } else {
        chosen.fileName = TrimAtNull(fileBuffer);
        chosen.fileTitle = TrimAtNull(titleBuffer);
    }
    return chosen;
}

}  // namespace controls
