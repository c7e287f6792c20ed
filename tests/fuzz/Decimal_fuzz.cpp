// Two texts through the decimal reader: every value it accepts reads back from its own text, and the
// arithmetic keeps its laws (sums and products commute, a - b is a + (-b), a - a is 0, b / b is 1).
#include "FuzzInput.h"
#include "runtime/Decimal.h"
#include "runtime/Locale.h"

#include <cstdlib>

namespace {

// Both results fail, or both hold the same value.
void Same(const rt::Result<rt::Decimal>& a, const rt::Result<rt::Decimal>& b)
{
    FUZZ_REQUIRE(a.ok() == b.ok());
    if (a)
        FUZZ_REQUIRE(*a == *b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    rt::ScopedLocale locale(in.Byte() & 1 ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
    const auto a = rt::Decimal::FromText(in.Text(40));
    const auto b = rt::Decimal::FromText(in.Text(40));
    for (const auto* value : {&a, &b}) {
        if (!*value)
            continue;
        const rt::Decimal& d = **value;
        const auto back = rt::Decimal::FromText(d.ToText());
        FUZZ_REQUIRE(back && *back == d && back->ToText() == d.ToText());
        FUZZ_REQUIRE(d.Negate().Negate() == d && d.Compare(d.Negate()) == (d.IsZero() ? 0 : d.IsNegative() ? -1 : 1));
        FUZZ_REQUIRE(!d.IsNegative() || d.ToDouble() < 0);
        FUZZ_REQUIRE(!d.IsZero() || d.ToDouble() == 0);
        FUZZ_REQUIRE(d.Sub(d) && d.Sub(d)->IsZero());
        if (!d.IsZero()) {
            const auto one = d.Div(d);
            FUZZ_REQUIRE(one && *one == rt::Decimal::FromInt64(1));
        }
    }
    if (!a || !b)
        return 0;
    Same(a->Add(*b), b->Add(*a));
    Same(a->Mul(*b), b->Mul(*a));
    Same(a->Sub(*b), a->Add(b->Negate()));
    FUZZ_REQUIRE(a->Compare(*b) == -b->Compare(*a));
    if (b->IsZero())
        FUZZ_REQUIRE(!a->Div(*b));
    return 0;
}
