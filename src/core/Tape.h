#pragma once
// Texts the main window writes around the tape: the header of a cleared tape and the backup record.
#include <string>
#include <string_view>

namespace core {

// The first line of a cleared tape: the date and time, filled to the line width with "=", so that the tape
// counts as closed (the character four places from the end is "=") and a tool adds no total block.
std::wstring ClearedTapeHeader(std::wstring_view date, std::wstring_view time);

// One record of the backup file: a dated line, the old tape whole, then the separator between records.
std::wstring BackupRecord(std::wstring_view date, std::wstring_view time, std::wstring_view tape,
                          std::wstring_view separator);

// The tape text as the bytes of a UTF-8 file: nothing of the text is lost.
std::string ToUtf8(std::wstring_view text);

}  // namespace core
