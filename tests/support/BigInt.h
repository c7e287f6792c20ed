#pragma once
// Exact arithmetic on integers of any size for tests: slow and plain, to check fast code against.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace test {

// A non-negative integer, in 32-bit limbs, least significant first, without leading zero limbs.
class BigInt {
public:
    __extension__ typedef unsigned __int128 U128;

    BigInt(U128 v = 0)
    {
        for (; v != 0; v >>= 32)
            limbs_.push_back(static_cast<uint32_t>(v));
    }
    static BigInt Pow10(int n)
    {
        BigInt r(1);
        for (; n > 0; n -= 19)
            r = r * BigInt(n >= 19 ? 10000000000000000000ull : Pow10Small(n));
        return r;
    }
    BigInt ShiftedLeft(int bits) const
    {
        BigInt r = *this * BigInt(U128(1) << (bits % 64));
        r.limbs_.insert(r.limbs_.begin(), static_cast<size_t>(bits / 64 * 2), 0u);
        r.Trim();
        return r;
    }
    bool IsZero() const { return limbs_.empty(); }

    friend BigInt operator*(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        r.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
        for (size_t i = 0; i < a.limbs_.size(); ++i) {
            uint64_t carry = 0;
            for (size_t j = 0; j < b.limbs_.size(); ++j, carry >>= 32)
                r.limbs_[i + j] = static_cast<uint32_t>(carry += uint64_t(a.limbs_[i]) * b.limbs_[j] + r.limbs_[i + j]);
            r.limbs_[i + b.limbs_.size()] = static_cast<uint32_t>(carry);
        }
        r.Trim();
        return r;
    }
    friend BigInt operator+(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        uint64_t carry = 0;
        for (size_t i = 0; i < std::max(a.limbs_.size(), b.limbs_.size()) + 1; ++i, carry >>= 32)
            r.limbs_.push_back(static_cast<uint32_t>(carry += uint64_t(a.Limb(i)) + b.Limb(i)));
        r.Trim();
        return r;
    }
    // a - b with a >= b.
    friend BigInt operator-(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        int64_t borrow = 0;
        for (size_t i = 0; i < a.limbs_.size(); ++i) {
            const int64_t t = int64_t(a.limbs_[i]) - b.Limb(i) - borrow;
            borrow = t < 0;
            r.limbs_.push_back(static_cast<uint32_t>(t));
        }
        r.Trim();
        return r;
    }
    friend int Compare(const BigInt& a, const BigInt& b)
    {
        if (a.limbs_.size() != b.limbs_.size())
            return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (size_t i = a.limbs_.size(); i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

private:
    static uint64_t Pow10Small(int n) { return n == 0 ? 1 : 10 * Pow10Small(n - 1); }
    uint32_t Limb(size_t i) const { return i < limbs_.size() ? limbs_[i] : 0; }
    void Trim()
    {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }
    std::vector<uint32_t> limbs_;
};

}  // namespace test
