#pragma once
// The runtime error numbers the program raises, each named once. The error state, the value conversions
// and the controls all take their numbers from here, so that the same failure always carries one number.

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

}  // namespace rt
