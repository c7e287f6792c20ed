#include "runtime/PropertySetStore_win.h"

#include "runtime/FileIo_win.h"
#include "runtime/PropertySetFile.h"

#include <windows.h>

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

// The reason a file could not be read or written, in words.
std::wstring FailureText(const FileFailure& failure)
{
    if (failure.fault == FileFault::TooLarge)
        return std::wstring(PropertySetErrorText(PropertySetError::TooLarge));
    return SystemText(failure.systemError);
}

}  // namespace

std::variant<PropertyBag, std::wstring> ReadPropertySetFile(const std::wstring& path)
{
    auto read = ReadWholeFile(path, kMaxPropertySetBytes);
    if (auto* failure = std::get_if<FileFailure>(&read))
        return FailureText(*failure);
    auto decoded = DecodePropertySet(std::get<std::vector<std::uint8_t>>(read));
    if (auto* error = std::get_if<PropertySetError>(&decoded))
        return std::wstring(PropertySetErrorText(*error));
    return std::move(std::get<PropertyBag>(decoded));
}

std::optional<std::wstring> WritePropertySetFile(const std::wstring& path, const PropertyBag& bag)
{
    auto encoded = EncodePropertySet(bag);
    if (auto* error = std::get_if<PropertySetError>(&encoded))
        return std::wstring(PropertySetErrorText(*error));
    if (auto failure = ReplaceWholeFile(path, std::get<ByteArray>(encoded)))
        return FailureText(*failure);
    return std::nullopt;
}

}  // namespace rt
