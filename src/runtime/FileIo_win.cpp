#include "runtime/FileIo_win.h"

#include "runtime/Handles_win.h"

#include <algorithm>
#include <limits>

namespace rt {

namespace {

FileFailure Failure(DWORD error)
{
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileFault::NotFound : FileFault::Access, error};
}

// A failed call that left no number is still a failure.
FileFailure WriteFailure(DWORD error)
{
    return {FileFault::Access, error ? error : static_cast<DWORD>(ERROR_WRITE_FAULT)};
}

}  // namespace

std::variant<std::vector<std::uint8_t>, FileFailure> ReadWholeFile(const std::wstring& path, std::uint64_t largest)
{
    const FileHandle file = OwnFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Failure(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return Failure(GetLastError());
    if (static_cast<std::uint64_t>(size.QuadPart) > largest)
        return FileFailure{FileFault::TooLarge, 0};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
            return Failure(GetLastError());
        if (got == 0)
            return FileFailure{FileFault::Access, ERROR_HANDLE_EOF};  // it shrank while it was read
        done += got;
    }
    return bytes;
}

std::wstring TemporaryBeside(const std::wstring& path)
{
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

std::optional<FileFailure> ReplaceWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    // Windows refuses to move a file over a read-only one, but some systems (Wine run by the superuser) let
    // the move through: the attribute is looked at first, so that a read-only file is never replaced.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileFailure{FileFault::Access, ERROR_ACCESS_DENIED};  // what Windows gives for the move
    const std::wstring temporary = TemporaryBeside(path);
    {
        FileHandle file = OwnFile(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return WriteFailure(GetLastError());
        DWORD written = 0;
        if (bytes.size() > std::numeric_limits<DWORD>::max() ||
            !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            const DWORD error = GetLastError();
            file.reset();
            DeleteFileW(temporary.c_str());  // a half-written copy is of no use to anyone
            return WriteFailure(error);
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return WriteFailure(error);
    }
    return std::nullopt;
}

}  // namespace rt
