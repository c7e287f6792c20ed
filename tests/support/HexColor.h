#pragma once
// A colour as six hex digits, so a failed colour check prints something a person can read.
#include <cstdio>
#include <string>

namespace test {

inline std::string Hex(unsigned long color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", color);
    return text;
}

}  // namespace test
