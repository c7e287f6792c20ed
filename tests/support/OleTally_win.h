#pragma once
// Shared harness of the differential tests against oleaut32: the locales compared, text helpers, the
// platform's Format, and a tally that counts agreements and each listed deliberate difference by name and
// fails on anything else (showing the first few).
#include "runtime/Locale.h"

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test {

struct OleLocale {
    LCID lcid;
    rt::Locale locale;
    const char* name;
};

// A "." locale and a "," locale.
inline std::vector<OleLocale> DotAndCommaLocales()
{
    return {{0x0409, rt::Locale::EnglishUS(), "en-US"}, {0x0416, rt::Locale::PortugueseBR(), "pt-BR"}};
}

// Printable ASCII as is, anything else as \xNN.
inline std::string Narrow(std::wstring_view text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c >= 32 && c < 127 ? std::string(1, static_cast<char>(c)) : "\\x" + std::to_string(unsigned(c));
    return out;
}

inline std::wstring TakeBstr(BSTR text)
{
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

inline BSTR MakeBstr(std::wstring_view text) { return SysAllocStringLen(text.data(), UINT(text.size())); }

// VarFormat through its tokenizer.
inline std::optional<std::wstring> OleFormat(VARIANT value, const std::wstring& pattern, LCID lcid)
{
    BYTE tokens[1024];
    int used = 0;
    BSTR out = nullptr;
    OLECHAR* p = const_cast<OLECHAR*>(pattern.c_str());
    if (FAILED(VarTokenizeFormatString(p, tokens, sizeof tokens, 1, 1, lcid, &used)) ||
        FAILED(VarFormatFromTokens(&value, p, tokens, 0, &out, lcid)))
        return std::nullopt;
    return TakeBstr(out);
}

class Tally {
public:
    explicit Tally(std::string what) : what_(std::move(what)) {}
    ~Tally()
    {
        std::string line = what_ + ":";
        for (const auto& [name, count] : counts_)
            line += " " + std::to_string(count) + " " + name + ";";
        std::printf("%s\n", line.c_str());
    }
    Tally(const Tally&) = delete;
    Tally& operator=(const Tally&) = delete;

    void Note(const std::string& outcome) { ++counts_[outcome]; }
    void Same() { Note("same"); }
    void Fail(const std::string& detail)
    {
        if (++counts_["FAILED"] <= 20)
            ADD_FAILURE() << what_ << ": " << detail;
    }
    int Count(const std::string& outcome) const
    {
        const auto found = counts_.find(outcome);
        return found == counts_.end() ? 0 : found->second;
    }

private:
    std::string what_;
    std::map<std::string, int> counts_;
};

}  // namespace test
