#pragma once
// The texts the file dialog is given and gives back: the filter rule, the buffer sizes and flags, and how a
// chosen file (or several) is read from the returned buffer. Buffers are wide text with NUL separators.
#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// Dialog flags in the platform's values.
inline constexpr std::uint32_t kFileReadOnly = 0x1;
inline constexpr std::uint32_t kFileHideReadOnly = 0x4;
inline constexpr std::uint32_t kFileEnableHook = 0x20;
inline constexpr std::uint32_t kFileEnableTemplate = 0x40;
inline constexpr std::uint32_t kFileAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kFileMustExist = 0x1000;

// Every "|" and ":" becomes a NUL, then two NULs end the list: "Text (*.txt)|*.txt" gives
// "Text (*.txt)\0*.txt\0\0". A colon therefore cannot be part of a description or a pattern.
std::wstring FilterText(std::wstring_view filter);

// The dialog's flags: the four choices over the extra flags, never a hook or a template.
std::uint32_t FileDialogFlags(bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly,
                              std::uint32_t extraFlags);

// 8,192 characters when the flags allow several files, else 260.
std::size_t FileBufferSize(std::uint32_t flags);

// `text` in a buffer of `size` characters: cut to size - 1 so the terminator fits, then NULs to the end.
std::wstring FileBuffer(std::wstring_view text, std::size_t size);

// The text before the first NUL.
std::wstring TrimAtNull(std::wstring_view text);

// What the dialog chose, read from its buffers. Several files: the folder, a NUL and the names separated by
// NULs (up to the first pair of NULs); one file with multiple selection allowed: its full path. The title
// (the name without its folder) is empty whenever multiple selection was allowed.
struct ChosenFile {
    std::wstring fileName;
    std::wstring fileTitle;
};
ChosenFile ReadChosenFile(std::wstring_view fileBuffer, std::wstring_view titleBuffer, std::uint32_t flags);

}  // namespace controls
