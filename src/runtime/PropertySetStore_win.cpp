#include "runtime/PropertySetStore_win.h"

#include "runtime/Handles_win.h"
#include "runtime/PropertySetFile.h"

#include <windows.h>

#include <memory>

namespace rt {

namespace {

// The system's text for `error`, without the line break it ends with.
std::wstring SystemText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace

std::variant<PropertyBag, std::wstring> ReadPropertySetFile(const std::wstring& path)
{
    const FileHandle file = OwnFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return SystemText(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return SystemText(GetLastError());
    if (size.QuadPart > static_cast<LONGLONG>(kMaxPropertySetBytes))
        return std::wstring(PropertySetErrorText(PropertySetError::TooLarge));
    ByteArray bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return SystemText(GetLastError());
    bytes.resize(read);
    auto decoded = DecodePropertySet(bytes);
    if (auto* error = std::get_if<PropertySetError>(&decoded))
        return std::wstring(PropertySetErrorText(*error));
    return std::move(std::get<PropertyBag>(decoded));
}

std::optional<std::wstring> WritePropertySetFile(const std::wstring& path, const PropertyBag& bag)
{
    auto encoded = EncodePropertySet(bag);
    if (auto* error = std::get_if<PropertySetError>(&encoded))
        return std::wstring(PropertySetErrorText(*error));
    const ByteArray& bytes = std::get<ByteArray>(encoded);

    const std::wstring temporary = path + L".new";
    {
        FileHandle file = OwnFile(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return SystemText(GetLastError());
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            const DWORD error = GetLastError();
            file.reset();
            DeleteFileW(temporary.c_str());  // a half-written copy is of no use to anyone
            return SystemText(error ? error : ERROR_WRITE_FAULT);
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return SystemText(error);
    }
    return std::nullopt;
}

}  // namespace rt
