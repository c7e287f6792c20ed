#include "runtime/Locale.h"

#include <gtest/gtest.h>

TEST(Locale, ScopedLocaleRestoresThePrevious)
{
    const wchar_t before = rt::CurrentLocale().decimalSeparator;
    {
        rt::ScopedLocale scoped(rt::Locale::PortugueseBR());
        EXPECT_EQ(rt::CurrentLocale().decimalSeparator, L',');
        EXPECT_EQ(rt::CurrentLocale().dateOrder, rt::DateOrder::DayMonthYear);
    }
    EXPECT_EQ(rt::CurrentLocale().decimalSeparator, before);
}
