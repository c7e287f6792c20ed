#include "runtime/Settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A test application name of its own per process, removed afterwards; the program's own "Plumva" is never used.
class Settings : public testing::Test {
protected:
    const std::wstring app = L"PlumvaneTest" + std::to_wstring(GetCurrentProcessId());
    const std::wstring appKey = L"Software\\VB and VBA Program Settings\\" + app;

    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, appKey.c_str()); }
};

TEST_F(Settings, RoundTripsTextsAsRegistryStrings)
{
    const std::wstring values[] = {
        L"", L"True", L"  blanks kept  ", L"1,234.50", L"\u00e7\u00e3o \u20ac", std::wstring(5000, L'x')};
    for (const auto& value : values) {
        SCOPED_TRACE(value.substr(0, 20));
        ASSERT_TRUE(rt::SaveSetting(app, L"Conf", L"Key", value));
        EXPECT_EQ(rt::GetSetting(app, L"Conf", L"Key", L"default"), value);
    }
    // Where and how the conventional store keeps it.
    wchar_t stored[16] = {};
    DWORD bytes = sizeof stored;
    ASSERT_TRUE(rt::SaveSetting(app, L"Conf", L"Width", L"3300"));
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, (appKey + L"\\Conf").c_str(), L"Width", RRF_RT_REG_SZ, nullptr, stored, &bytes),
        ERROR_SUCCESS);
    EXPECT_STREQ(stored, L"3300");
}

TEST_F(Settings, AbsentUnreadableOrUnaddressableValuesGiveTheDefault)
{
    ASSERT_TRUE(rt::SaveSetting(app, L"Conf", L"Present", L"here"));
    const DWORD number = 5;  // not a text
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, (appKey + L"\\Conf").c_str(), L"Number", REG_DWORD, &number, sizeof number),
        ERROR_SUCCESS);
    const struct {
        std::wstring app, section, key;
        bool refused;  // names that address no section cannot be saved either
    } cases[] = {
        {app, L"Conf", L"Absent", false}, {app, L"Other", L"Present", false}, {app + L"X", L"Conf", L"Present", false},
        {app, L"Conf", L"Number", false}, {L"", L"Conf", L"Present", true},   {app, L"Conf\\Nested", L"Present", true},
        {app, L"", L"Present", true},     {app, L"Conf", L"", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.app + L"|" + c.section + L"|" + c.key));
        EXPECT_EQ(rt::GetSetting(c.app, c.section, c.key, L"dflt"), L"dflt");
        if (c.refused) {
            EXPECT_FALSE(rt::SaveSetting(c.app, c.section, c.key, L"v"));
        }
    }
    EXPECT_EQ(rt::GetSetting(app, L"Conf", L"Absent"), L"");
}

TEST_F(Settings, BooleansReadCaseInsensitivelyAndOtherTextGivesTheDefault)
{
    struct Case {
        const wchar_t* stored;
        int expected;  // 1 true, 0 false, -1 the default
    };
    const Case cases[] = {{L"True", 1},  {L"TRUE", 1},   {L"tRuE", 1},   {L"False", 0}, {L"false", 0},
                          {L"FALSE", 0}, {L"", -1},      {L"1", -1},     {L"-1", -1},   {L"0", -1},
                          {L"yes", -1},  {L" True", -1}, {L"True ", -1}, {L"Truee", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.stored)));
        ASSERT_TRUE(rt::SaveSetting(app, L"Conf", L"Visivel", c.stored));
        EXPECT_EQ(rt::GetBoolSetting(app, L"Conf", L"Visivel", true), c.expected == -1 ? true : c.expected == 1);
        EXPECT_EQ(rt::GetBoolSetting(app, L"Conf", L"Visivel", false), c.expected == -1 ? false : c.expected == 1);
    }
    for (bool value : {false, true}) {
        ASSERT_TRUE(rt::SaveBoolSetting(app, L"Conf", L"MenuXP", value));
        EXPECT_EQ(rt::GetSetting(app, L"Conf", L"MenuXP"), value ? L"True" : L"False");
    }
}

}  // namespace
