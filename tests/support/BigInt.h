#pragma once
// Exact arithmetic on integers of any size for tests: slow and plain, to check fast code against.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace test {

// A non-negative integer.
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
        for (int i = 0; i < n; ++i)
            r = r * BigInt(10);
        return r;
    }
    BigInt ShiftedLeft(int bits) const
    {
        BigInt r;
        r.limbs_.assign(static_cast<size_t>(bits / 32), 0);
        uint32_t carry = 0;
        for (uint32_t limb : limbs_) {
            r.limbs_.push_back(bits % 32 == 0 ? limb : (limb << (bits % 32)) | carry);
            carry = bits % 32 == 0 ? 0 : limb >> (32 - bits % 32);
        }
        r.limbs_.push_back(carry);
        r.Trim();
        return r;
    }
    bool IsZero() const { return limbs_.empty(); }
    bool IsOdd() const { return !limbs_.empty() && (limbs_[0] & 1) != 0; }

    friend BigInt operator*(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        r.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
        for (size_t i = 0; i < a.limbs_.size(); ++i) {
            uint64_t carry = 0;
            for (size_t j = 0; j < b.limbs_.size(); ++j) {
                const uint64_t t = uint64_t(a.limbs_[i]) * b.limbs_[j] + r.limbs_[i + j] + carry;
                r.limbs_[i + j] = static_cast<uint32_t>(t);
                carry = t >> 32;
            }
            r.limbs_[i + b.limbs_.size()] = static_cast<uint32_t>(carry);
        }
        r.Trim();
        return r;
    }
    friend BigInt operator+(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        uint64_t carry = 0;
        for (size_t i = 0; i < std::max(a.limbs_.size(), b.limbs_.size()); ++i) {
            const uint64_t t = uint64_t(a.Limb(i)) + b.Limb(i) + carry;
            r.limbs_.push_back(static_cast<uint32_t>(t));
            carry = t >> 32;
        }
        if (carry != 0)
            r.limbs_.push_back(static_cast<uint32_t>(carry));
        return r;
    }
    // a - b with a >= b.
    friend BigInt operator-(const BigInt& a, const BigInt& b)
    {
        BigInt r;
        int64_t borrow = 0;
        for (size_t i = 0; i < a.limbs_.size(); ++i) {
            int64_t t = int64_t(a.limbs_[i]) - b.Limb(i) - borrow;
            borrow = t < 0 ? 1 : 0;
            r.limbs_.push_back(static_cast<uint32_t>(t + (borrow << 32)));
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
    uint32_t Limb(size_t i) const { return i < limbs_.size() ? limbs_[i] : 0; }
    void Trim()
    {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }
    std::vector<uint32_t> limbs_;
};

}  // namespace test
