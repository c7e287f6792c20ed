#pragma once
// Whole-file reading and safe replacing, the one way the program's files are read and written.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace rt {

enum class FileFault {
    NotFound,  // the file or a folder on its path does not exist
    Access,    // it exists but cannot be opened, read or written
    TooLarge,  // larger than the caller takes
};

struct FileFailure {
    FileFault fault;
    DWORD systemError;  // GetLastError's number; 0 for TooLarge
};

// The whole file; a file of more than `largest` bytes is refused unread.
std::variant<std::vector<std::uint8_t>, FileFailure> ReadWholeFile(const std::wstring& path, std::uint64_t largest);

// The name of the copy a replace writes first, in the target's own folder.
std::wstring TemporaryBeside(const std::wstring& path);

// Writes `bytes` to the temporary beside `path`, flushes it, then moves it over `path` in one step. On failure
// the temporary is removed and the old file is left whole; the failure is Access with the system's number. A
// read-only file at `path` is refused before anything is written (ERROR_ACCESS_DENIED, as the move would be).
std::optional<FileFailure> ReplaceWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes);

}  // namespace rt
