#!/usr/bin/env python3
"""Recomputes the cash check of 1,000,000,000.00 at 2 % a month over 730 days from the written rules, without
the program: decimal text rounding to 15 significant digits, monthly compounding, pro-rata rest days, and the
six-rule walk of the net amount. Each run of one rule is measured by bisection, which holds because the
compounded amount never falls as the net amount grows; the walk's end and its step count are those of the
plain one-step-at-a-time walk."""
from decimal import Decimal, ROUND_HALF_UP, ROUND_HALF_EVEN, localcontext


def significant(x, digits=15, rounding=ROUND_HALF_UP):
    """The exact value of the double x rounded to 15 significant digits (halves away from zero)."""
    d = Decimal(x)
    if d == 0:
        return d
    with localcontext() as ctx:
        ctx.prec = 800
        return d.quantize(Decimal(1).scaleb(d.adjusted() - digits + 1), rounding=rounding)


def text(x):
    """A double through its 15-digit text and back."""
    return float(significant(x))


def capital(value, rate, days):
    months = int(days // 30)
    rest = text(days - months * 30.0)
    grown = value
    for _ in range(months):
        interest = text(rate / 100 * grown)
        grown = text(grown + interest)
    rest_percent = significant(rest * (rate / 30), rounding=ROUND_HALF_EVEN)  # a decimal of 15 digits
    rest_rate = float(rest_percent / 100)
    if rest != 0:
        interest = text(grown * rest_rate)
        grown = text(grown + interest)
    return float(significant(grown).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP))


def sign(x):
    return (x > 0) - (x < 0)


def cash_check(check, rate, days):
    # (condition on the phase, wanted sign of D, step, phase after)
    rules = [(lambda p: p == 0, 1, Decimal(1000), 0), (lambda p: p <= 1, -1, Decimal(-100), 1),
             (lambda p: p <= 2, 1, Decimal(10), 2), (lambda p: p <= 3, -1, Decimal(-1), 3),
             (lambda p: p <= 4, 1, Decimal("0.1"), 4), (lambda p: True, -1, Decimal("-0.01"), 5)]
    d_of = lambda n: sign(check - capital(float(n), rate, days))
    net = significant(check - check * rate / 100)
    phase, steps = 0, 1
    while True:
        s = d_of(net)
        rule = next((r for r in rules if r[0](phase) and s == r[1]), None)
        if rule is None:
            return net, steps
        _, want, step, phase = rule
        # The run goes on while D keeps the sign `want`: find its first point without it.
        lo, hi = 0, 1
        while d_of(net + hi * step) == want:
            lo, hi = hi, hi * 2
        while hi - lo > 1:
            mid = (lo + hi) // 2
            if d_of(net + mid * step) == want:
                lo = mid
            else:
                hi = mid
        net += hi * step
        steps += hi


net, steps = cash_check(1e9, 2.0, 730.0)
print(f"net {net.quantize(Decimal('0.01'), rounding=ROUND_HALF_UP):,} after {steps} computations")
