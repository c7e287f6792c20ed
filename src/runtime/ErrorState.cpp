#include "runtime/ErrorState.h"

#include "runtime/ErrorNumbers.h"

#include <utility>

namespace rt {

std::wstring ErrorState::StandardText(int number)
{
    constexpr int kObjectMask = static_cast<int>(0xFFFF0000u);
    if ((number & kObjectMask) == kObjectError)
        number &= ~kObjectMask;
    switch (number) {
    case kErrInvalidCall: return L"Invalid procedure call or argument";
    case kErrOverflow: return L"Overflow";
    case kErrOutOfMemory: return L"Out of memory";
    case kErrSubscriptOutOfRange: return L"Subscript out of range";
    case kErrDivisionByZero: return L"Division by zero";
    case kErrTypeMismatch: return L"Type mismatch";
    case kErrInternal: return L"Internal error";
    case kErrFileNotFound: return L"File not found";
    case kErrFileAccess: return L"Path/File access error";
    case kErrBadFileFormat: return L"Bad file format";
    case kErrDuplicateKey: return L"This key is already associated with an element of this collection";
    case kErrCannotSubclass: return L"Can't subclass window";
    case kErrAlreadyHandled: return L"Message already handled by another class";
    case kErrInvalidWindow: return L"Invalid window";
    case kErrExternalWindow: return L"Can't modify external window";
    default: return L"Application-defined or object-defined error";
    }
}

void ErrorState::Raise(int number, std::wstring source, std::wstring description)
{
    if (number == 0) {
        Clear();
        return;
    }
    info_.number = number;
    info_.source = std::move(source);
    info_.description = description.empty() ? StandardText(number) : std::move(description);
}

void ErrorState::Raise(ValueError error, std::wstring source)
{
    Raise(static_cast<int>(error), std::move(source));
}

ErrorState& Err()
{
    static ErrorState state;
    return state;
}

}  // namespace rt
