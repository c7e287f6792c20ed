#include "runtime/Settings_win.h"

#include "runtime/LastError_win.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace rt {

namespace {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The registry path of a section; nullopt for names the store cannot hold (an empty application or section
// would address the parent key, and a backslash would address another section).
std::optional<std::wstring> SectionPath(std::wstring_view app, std::wstring_view section)
{
    if (app.empty() || section.empty() || app.find(L'\\') != app.npos || section.find(L'\\') != section.npos)
        return std::nullopt;
    std::wstring path = L"Software\\VB and VBA Program Settings\\";
    path.append(app).append(L"\\").append(section);
    return path;
}

bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const wchar_t lower = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        if (lower != word[i])
            return false;
    }
    return true;
}

}  // namespace

std::wstring GetSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                        std::wstring_view defaultValue)
{
    const auto path = SectionPath(app, section);
    if (!path || key.empty())
        return std::wstring(defaultValue);
    RegistryKey handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, KEY_QUERY_VALUE, handle.out()) != ERROR_SUCCESS)
        return std::wstring(defaultValue);  // absent section: the usual case, not worth a log line
    const std::wstring name(key);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::wstring(defaultValue);
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        const LONG status =
            RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes);
        if (status == ERROR_MORE_DATA)
            continue;  // the value grew between the two calls
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::wstring(defaultValue);
        value.resize(bytes / sizeof(wchar_t));
        while (!value.empty() && value.back() == L'\0')  // stored with or without its terminator
            value.pop_back();
        return value;
    }
    return std::wstring(defaultValue);
}

bool SaveSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    const auto path = SectionPath(app, section);
    if (!path || key.empty())
        return false;
    RegistryKey handle;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                  nullptr, handle.out(), nullptr);
    if (status != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(status));
        RT_LOG_LAST_ERROR("RegCreateKeyExW");
        return false;
    }
    const std::wstring name(key);
    const std::wstring text(value);
    status = RegSetValueExW(handle.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(status));
        RT_LOG_LAST_ERROR("RegSetValueExW");
        return false;
    }
    return true;
}

bool GetBoolSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, bool defaultValue)
{
    const std::wstring text = GetSetting(app, section, key);
    if (EqualsIgnoringCase(text, L"true"))
        return true;
    if (EqualsIgnoringCase(text, L"false"))
        return false;
    return defaultValue;
}

bool SaveBoolSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, bool value)
{
    return SaveSetting(app, section, key, value ? L"True" : L"False");
}

}  // namespace rt
