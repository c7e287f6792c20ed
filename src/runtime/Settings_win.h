#pragma once
// The settings store: texts kept per application, section and key in the current user's registry under
// "Software\VB and VBA Program Settings\<application>\<section>", each a REG_SZ value named after its key.
#include <string>
#include <string_view>

namespace rt {

// The stored text, or `defaultValue` when it is absent or cannot be read.
std::wstring GetSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                        std::wstring_view defaultValue = {});

// Stores `value`, creating the keys as needed; false when it could not be written (nothing is raised).
bool SaveSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, std::wstring_view value);

// A Boolean stored as "True" or "False"; read case-insensitively, any other text gives `defaultValue`.
bool GetBoolSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, bool defaultValue);
bool SaveBoolSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key, bool value);

}  // namespace rt
