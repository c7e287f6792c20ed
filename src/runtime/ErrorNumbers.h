#pragma once
// The runtime error numbers the program raises, each named once; ErrorState::StandardText gives each its
// text. The error state, the value conversions and the controls all take their numbers from here, so that the
// same failure always carries one number and one text.

namespace rt {

inline constexpr int kErrInvalidCall = 5;  // invalid procedure call or argument
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrSubscriptOutOfRange = 9;
inline constexpr int kErrDivisionByZero = 11;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrInternal = 51;  // a fault of the program, not of the user's input
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrFileAccess = 75;  // path/file access error
inline constexpr int kErrBadFileFormat = 321;
inline constexpr int kErrDuplicateKey = 457;
// A control's window subclassing; raised with the controls' base number (kObjectError) added.
inline constexpr int kErrCannotSubclass = 13081;
inline constexpr int kErrAlreadyHandled = 13082;  // the handler already hears that message of that window
inline constexpr int kErrInvalidWindow = 13083;
inline constexpr int kErrExternalWindow = 13084;  // a window of another process

}  // namespace rt
