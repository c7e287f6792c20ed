#include "runtime/FileIo_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Result = std::variant<Bytes, rt::FileFault>;

std::wstring TempPath(const std::wstring& name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"plumvane-fileio-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

void WriteBytes(const std::wstring& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The bytes read whole, or why they could not be.
Result Read(const std::wstring& path, std::uint64_t largest = 1000)
{
    auto read = rt::ReadWholeFile(path, largest);
    if (auto* bytes = std::get_if<Bytes>(&read))
        return *bytes;
    return std::get<rt::FileFailure>(read).fault;
}

// The fault of a replacement that fails, or nullopt.
std::optional<rt::FileFault> Replace(const std::wstring& path, const Bytes& bytes)
{
    const auto failure = rt::ReplaceWholeFile(path, bytes);
    return failure ? std::optional(failure->fault) : std::nullopt;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(FileIo, ReadsWholeFilesAndNamesWhyOthersCannotBeRead)
{
    const std::wstring file = TempPath(L"five.bin");
    const std::wstring folder = TempPath(L"folder");
    WriteBytes(file, {1, 2, 3, 4, 5});
    CreateDirectoryW(folder.c_str(), nullptr);

    for (const auto& [name, path, largest, result] :
         {std::tuple{"exactly the largest size", file, 5, Result{Bytes{1, 2, 3, 4, 5}}},
          {"missing file", TempPath(L"absent.bin"), 1000, rt::FileFault::NotFound},
          {"missing folder", folder + L"-absent\\x.bin", 1000, rt::FileFault::NotFound},
          {"a folder", folder, 1000, rt::FileFault::Access},
          {"one byte too large", file, 4, rt::FileFault::TooLarge}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Read(path, static_cast<std::uint64_t>(largest)), result);
    }
    WriteBytes(file, {});
    EXPECT_EQ(Read(file), Result{Bytes{}});
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(FileIo, ReplacesWholeOrLeavesTheOldFileAsItWas)
{
    const std::wstring path = TempPath(L"target.bin");
    const std::wstring temporary = rt::TemporaryBeside(path);
    EXPECT_EQ(Replace(path, {7, 8}), std::nullopt);  // no file there yet
    EXPECT_EQ(Replace(path, {9}), std::nullopt);     // over a longer one
    EXPECT_EQ(Read(path), Result{Bytes{9}});
    EXPECT_FALSE(Exists(temporary));

    // The copy cannot be made: its name is taken by a folder.
    CreateDirectoryW(temporary.c_str(), nullptr);
    const auto failure = rt::ReplaceWholeFile(path, Bytes{1, 2, 3});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->fault, rt::FileFault::Access);
    EXPECT_NE(failure->systemError, 0u);
    EXPECT_EQ(Read(path), Result{Bytes{9}});
    RemoveDirectoryW(temporary.c_str());

    // A read-only file is not replaced, even where the system would let the move through.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Replace(path, {4, 5}), rt::FileFault::Access);
    EXPECT_EQ(Read(path), Result{Bytes{9}});
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_FALSE(Exists(temporary));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The copy is made but cannot take the target's place (a folder): it does not stay behind.
    const std::wstring folder = TempPath(L"folder-target");
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(Replace(folder, {1}), rt::FileFault::Access);
    EXPECT_FALSE(Exists(rt::TemporaryBeside(folder)));
    EXPECT_TRUE(Exists(folder));
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(path.c_str());
}

}  // namespace
