#pragma once
// A property set kept in a file of its own (the design host's document).
#include "runtime/PropertyBag.h"

#include <optional>
#include <string>
#include <variant>

namespace rt {

// Reads the set in `path`. On failure, the reason in words: the system's text when the file cannot be read,
// else what is wrong with its contents.
std::variant<PropertyBag, std::wstring> ReadPropertySetFile(const std::wstring& path);

// Writes `bag` to a new file beside `path`, flushes it to the disk, then puts it in the place of `path` in one
// step, so that a save that fails leaves the old file as it was. Nothing on success, else the reason in words.
std::optional<std::wstring> WritePropertySetFile(const std::wstring& path, const PropertyBag& bag);

}  // namespace rt
