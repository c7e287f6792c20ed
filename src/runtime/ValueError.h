#pragma once
// Failures of value conversions and arithmetic. The numbers are the runtime error numbers the
// program reports (the error state keeps them), so callers can raise them unchanged.
#include "runtime/ErrorNumbers.h"

#include <cassert>
#include <utility>
#include <variant>

namespace rt {

enum class ValueError {
    InvalidCall = kErrInvalidCall,
    Overflow = kErrOverflow,
    DivisionByZero = kErrDivisionByZero,
    TypeMismatch = kErrTypeMismatch,
};

// A value or the reason there is none.
template <class T>
class Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(ValueError error) : v_(error) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { assert(ok()); return std::get<0>(v_); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    ValueError error() const { assert(!ok()); return std::get<1>(v_); }
    T value_or(T fallback) const { return ok() ? std::get<0>(v_) : std::move(fallback); }

private:
    std::variant<T, ValueError> v_;
};

}  // namespace rt
