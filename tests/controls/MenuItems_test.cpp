#include "controls/MenuItems.h"
#include "controls/cStoreMenu.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace controls;

namespace {

struct CaptionCase {
    const wchar_t* text;
    bool separator;
    const wchar_t* caption;
    const wchar_t* accelerator;
    const wchar_t* shortcut;
    int shiftMask;
    int keyCode;
    bool barBreak;
    bool columnBreak;
};

TEST(MenuItemRecord, MenuTextsReadIntoCaptionAccessKeyShortcutAndBreaks)
{
    const CaptionCase cases[] = {
        {L"&Print", false, L"&Print", L"P", L"", 0, 0, false, false},
        {L"Print&", false, L"Print&", L"", L"", 0, 0, false, false},
        {L"Save && E&xit", false, L"Save && E&xit", L"&", L"", 0, 0, false, false},
        {L"&é", false, L"&é", L"É", L"", 0, 0, false, false},
        {L"Copy\tCtrl+C", false, L"Copy", L"", L"Ctrl+C", 2, 67, false, false},
        {L"Redo\tCtrl+Shift+Z", false, L"Redo", L"", L"Ctrl+Shift+Z", 3, 90, false, false},
        {L"Go\tShift", false, L"Go", L"", L"Shift", 1, 0, false, false},
        {L"Del\tCtrl+Del", false, L"Del", L"", L"Ctrl+Del", 2, 0, false, false},
        {L"Plus\tCtrl++", false, L"Plus", L"", L"Ctrl++", 2, 0, false, false},
        {L"Refresh\tF5", false, L"Refresh", L"", L"F5", 0, 116, false, false},
        {L"Help\tF12", false, L"Help", L"", L"F12", 0, 123, false, false},
        {L"Close\tAlt+F4", false, L"Close", L"", L"Alt+F4", 0, 115, false, false},
        // An "F" with no function-key number names no key.
        {L"Find\tF", false, L"Find", L"", L"F", 0, 0, false, false},
        {L"Find\tFx", false, L"Find", L"", L"Fx", 0, 0, false, false},
        {L"Far\tF99", false, L"Far", L"", L"F99", 0, 0, false, false},
        {L"Huge\tF99999999999999999999", false, L"Huge", L"", L"F99999999999999999999", 0, 0, false, false},
        {L"Two\tA\tB", false, L"Two", L"", L"A\tB", 0, 0, false, false},
        {L"Column|", false, L"Column", L"", L"", 0, 0, true, false},
        {L"^Next", false, L"Next", L"", L"", 0, 0, false, true},
        {L"|^Both\tCtrl+B", false, L"Both", L"", L"Ctrl+B", 2, 66, true, true},
        // A doubled marker sets no flag and stays in the caption.
        {L"A||B", false, L"A||B", L"", L"", 0, 0, false, false},
        {L"A^^B|", false, L"A^^B", L"", L"", 0, 0, true, false},
        {L"-", true, L"-", L"", L"", 0, 0, false, false},
        {L"&Sep|\tCtrl+S", true, L"-", L"", L"", 0, 0, false, false},
        {L"", false, L"", L"", L"", 0, 0, false, false},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        MenuItemRecord record;
        SetItemCaption(record, c.text, c.separator);
        EXPECT_EQ(record.sCaption, c.caption);
        EXPECT_EQ(record.sAccelerator, c.accelerator);
        EXPECT_EQ(record.sShortcut, c.shortcut);
        EXPECT_EQ(record.iShiftMask, c.shiftMask);
        EXPECT_EQ(record.iKeyCode, c.keyCode);
        EXPECT_EQ(record.bMenuBarBreak, c.barBreak);
        EXPECT_EQ(record.bMenuBreak, c.columnBreak);
    }
}

TEST(MenuItemRecord, NewCaptionWithoutTabDropsTheOldShortcut)
{
    MenuItemRecord record;
    SetItemCaption(record, L"Copy\tCtrl+C", false);
    SetItemCaption(record, L"Copy", false);
    EXPECT_EQ(record.sShortcut, L"");
    EXPECT_EQ(record.iKeyCode, 0);
    EXPECT_EQ(record.iShiftMask, 0);
}

MenuItems ItemsWithKeys(std::vector<std::wstring> keys)
{
    MenuItems items;
    for (std::wstring& key : keys) {
        MenuItemRecord record;
        record.sKey = std::move(key);
        record.lId = static_cast<std::uint32_t>(100 + items.Count());
        items.Append(record);
    }
    return items;
}

TEST(MenuItems, KeysFindRecordsByNumberNumericTextOrName)
{
    const MenuItems items = ItemsWithKeys({L"mnuArquivo", L"mnuImprimir(0)", L"mnuImprimir(1)", L"5", L"mnuSair"});
    struct Case {
        MenuKey key;
        int expected;
    };
    const Case cases[] = {
        {1, 1},
        {5, 5},
        {L"5", 5},
        {L" 3 ", 3},
        {2.4, 2},
        {2.5, 2},  // halves to even
        {3.5, 4},
        {5.5, -1},
        {0, -1},
        {0.49, -1},
        {6, -1},
        {-1, -1},
        {L"0", -1},
        {std::numeric_limits<double>::infinity(), -1},
        {std::numeric_limits<double>::quiet_NaN(), -1},
        {1e300, -1},
        {L"1e300", -1},
        {L"mnuImprimir(0)", 2},
        {L"mnuImprimir(1)", 3},
        {L"mnuimprimir(0)", -1},
        {L"mnuImprimir", -1},
        {L"mnuSair", 5},
        {L"", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(items.FindItemIndex(c.key), c.expected);
    }
    EXPECT_EQ(items.IndexForId(102), 3);
    EXPECT_EQ(items.IndexForId(99), 0);
}

TEST(MenuItems, PairingSkipsHiddenControlsAndStopsAtEitherEnd)
{
    const std::vector<MenuControlInfo> controls = {
        {L"&File", L"mnuArquivo", L"t1", false, 0, true},
        {L"&Print", L"mnuImprimir", L"", true, 0, true},
        {L"Hidden", L"mnuOculto", L"th", false, 0, false},
        {L"Port", L"mnuImprimir", L"t3", true, 1, true},
        {L"Last", L"mnuUltimo", L"t4", false, 0, true},
    };
    struct Case {
        int records;
        std::vector<std::wstring> keys;
    };
    const Case cases[] = {
        {0, {}},
        {2, {L"mnuArquivo", L"mnuImprimir(0)"}},
        {4, {L"mnuArquivo", L"mnuImprimir(0)", L"mnuImprimir(1)", L"mnuUltimo"}},
        {6, {L"mnuArquivo", L"mnuImprimir(0)", L"mnuImprimir(1)", L"mnuUltimo", L"", L""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records);
        MenuItems items = ItemsWithKeys(std::vector<std::wstring>(static_cast<size_t>(c.records)));
        items.PairKeys(controls);
        for (int n = 1; n <= c.records; ++n)
            EXPECT_EQ(items[n].sKey, c.keys[static_cast<size_t>(n - 1)]) << n;
        if (c.records >= 4) {
            EXPECT_EQ(items[3].sTag, L"t3");
        }
    }
    // Every control hidden: nothing paired.
    std::vector<MenuControlInfo> hidden = controls;
    for (MenuControlInfo& control : hidden)
        control.bVisible = false;
    MenuItems items = ItemsWithKeys({L"", L""});
    items.PairKeys(hidden);
    EXPECT_EQ(items[1].sKey, L"");
}

TEST(cStoreMenu, StoresCopiesAndRestoresThem)
{
    std::vector<MenuItemRecord> records(3);
    records[0].sCaption = L"One";
    records[2].sCaption = L"Three";
    cStoreMenu store;
    store.StoreItems(records, 3);
    records[0].sCaption = L"changed";

    std::vector<MenuItemRecord> back;
    int count = -1;
    store.RestoreItems(back, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(back[0].sCaption, L"One");
    EXPECT_EQ(back[2].sCaption, L"Three");

    store.StoreItems(records, 10);  // more than given: only what exists
    store.RestoreItems(back, count);
    EXPECT_EQ(count, 3);
    store.StoreItems(records, 0);
    store.RestoreItems(back, count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(back.empty());
}

}  // namespace

namespace {

TEST(MenuItemRecord, ConvertedItemsAreOwnerDrawnWithTheirBreaksAndSeparators)
{
    struct Case {
        const wchar_t* caption;
        bool barBreak;
        bool columnBreak;
        unsigned type;
    };
    const Case cases[] = {
        {L"&Open", false, false, kTypeOwnerDraw},
        {L"-", false, false, kTypeOwnerDraw | kTypeSeparator},
        {L" - ", false, false, kTypeOwnerDraw | kTypeSeparator},
        {L"--", false, false, kTypeOwnerDraw},
        {L"Next", true, false, kTypeOwnerDraw | kTypeMenuBarBreak},
        {L"Next", false, true, kTypeOwnerDraw | kTypeMenuBreak},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
        MenuItemRecord record;
        record.sCaption = c.caption;
        record.bMenuBarBreak = c.barBreak;
        record.bMenuBreak = c.columnBreak;
        EXPECT_EQ(OwnerDrawType(record), c.type);
    }
}

}  // namespace
