#pragma once
// The program's current error: what a procedure that runs with errors resumed leaves behind for its
// caller to look at. One program-wide instance, used from the UI thread only.
#include "runtime/ValueError.h"

#include <string>

namespace rt {

// Numbers raised by the program's own controls carry this bit pattern (the controls' base number).
constexpr int kObjectError = static_cast<int>(0x80040000u);

struct ErrorInfo {
    int number = 0;
    std::wstring source;
    std::wstring description;
};

class ErrorState {
public:
    // Records an error; an empty description takes the standard text of the number. Number 0 clears.
    void Raise(int number, std::wstring source = {}, std::wstring description = {});
    void Raise(ValueError error, std::wstring source = {});
    void Clear() { info_ = {}; }

    int Number() const { return info_.number; }
    const std::wstring& Source() const { return info_.source; }
    const std::wstring& Description() const { return info_.description; }
    const ErrorInfo& Info() const { return info_; }

    // The text the platform gives an error number; a control's number may carry kObjectError.
    static std::wstring StandardText(int number);

private:
    ErrorInfo info_;
};

ErrorState& Err();

}  // namespace rt
