#include "controls/MenuMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace controls;

namespace {

// The bar (menu 1) with File and Tools; File's popup 100 holds &Print (11), a separator (0), &Open (13) and
// Recent, whose popup 200 holds &Print again (21); Tools' popup 300 holds &Rule (31).
MenuItems Sample()
{
    const struct {
        MenuId menu, parent;
        std::uint32_t id;
        const wchar_t* caption;
    } rows[] = {
        {1, 0, 100, L"&File"},  {100, 100, 11, L"&Print"},  {100, 100, 0, L"-"},      {100, 100, 13, L"&Open"},
        {100, 100, 200, L"Rec&ent"}, {200, 200, 21, L"&Print"}, {1, 0, 300, L"&Tools"}, {300, 300, 31, L"&Rule"},
    };
    MenuItems items;
    for (const auto& row : rows) {
        MenuItemRecord r;
        SetItemCaption(r, row.caption, std::wstring(row.caption) == L"-");
        r.hMenu = row.menu;
        r.hParentMenu = row.parent;
        r.lId = row.id;
        items.Append(r);
    }
    return items;
}

const std::vector<MenuPosition> kFile = {{11, 0}, {0, 0}, {13, 0}, {0xFFFFFFFF, 200}};

TEST(MenuMessages, AccessKeysAnswerThePositionOfTheirItemInTheMenuTyped)
{
    const MenuItems items = Sample();
    const struct {
        MenuId menu;
        const wchar_t* key;
        std::vector<MenuPosition> positions;
        std::intptr_t answer;
    } cases[] = {
        {100, L"O", kFile, 0x20002},
        {100, L"P", kFile, 0x20000},                        // not Recent's &Print, which is in another menu
        {200, L"P", {{21, 0}}, 0x20000},
        {200, L"P", {{11, 0}, {21, 0}}, 0x20001},            // File's &Print is no item of this menu
        {100, L"P", {{99, 0}, {13, 0}, {11, 0}}, 0x20002},  // the position, not the record's place
        {100, L"E", kFile, 0},                              // Recent opens a popup: its id is no position's
        {100, L"X", kFile, 0},
        {1, L"T", {{100, 100}, {300, 300}}, 0x20001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.key)) + " in " + std::to_string(c.menu));
        EXPECT_EQ(MenuCharAnswer(items, c.menu, c.key, c.positions), c.answer);
    }
    // A record whose item is gone lets the search go on.
    MenuItems twice = items;
    twice[4].sAccelerator = L"P";
    EXPECT_EQ(MenuCharAnswer(twice, 100, L"P", {{13, 0}}), 0x20000);
}

TEST(MenuMessages, APopupsOpenerIsTheItemCarryingItsHandle)
{
    const MenuItems items = Sample();
    EXPECT_EQ(PopupOpener(items, 100), 1);
    EXPECT_EQ(PopupOpener(items, 200), 5);
    EXPECT_EQ(PopupOpener(items, 300), 7);
    EXPECT_EQ(PopupOpener(items, 400), 0);  // an empty or unknown popup
    MenuItems orphan = items;
    orphan[7].lId = 301;
    EXPECT_EQ(PopupOpener(orphan, 300), 0);
    MenuItems later = items;
    later[8].lId = 100;  // an identifier like File's after the popup: not its opener
    EXPECT_EQ(PopupOpener(later, 100), 1);
}

TEST(MenuMessages, HighlightsNameTheirRecordAndEverythingElseIsAnExit)
{
    const MenuItems items = Sample();
    using Kind = MenuSelection::Kind;
    const struct {
        unsigned item, flags;
        MenuId menu;
        std::vector<MenuPosition> positions;
        Kind kind;
        int record;
    } cases[] = {
        {13, 0, 100, kFile, Kind::Item, 4},
        {0, 0x800, 100, kFile, Kind::Item, 3},            // the separator
        {3, 0x90, 100, kFile, Kind::Item, 5},             // Recent, by its position
        {3, 0x10, 100, kFile, Kind::Item, 5},
        {13, 0x80, 100, kFile, Kind::Item, 4},            // highlighted, by its identifier
        {1, 0x90, 1, {{100, 100}, {300, 300}}, Kind::Item, 7},
        {1, 0x90, 100, kFile, Kind::Exit, 0},             // a position that opens nothing
        {9, 0x90, 100, kFile, Kind::Exit, 0},
        {21, 0, 100, kFile, Kind::Exit, 0},               // an identifier of another menu
        {0, 0xFFFF, 0, {}, Kind::Exit, 0},                // the menu closes
        {0xF060, 0, 500, {{0xF120, 0}, {0xF060, 0}}, Kind::WindowMenuItem, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.item) + " flags " + std::to_string(c.flags));
        const MenuSelection s = SelectionOf(items, c.item, c.flags, c.menu, c.positions);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.record, c.record);
        if (c.kind == Kind::WindowMenuItem) {
            EXPECT_EQ(s.id, c.item);
        }
    }
    MenuItems same = items;
    same[1].lId = 200;  // on the bar, an identifier like Recent's popup
    EXPECT_EQ(SelectionOf(same, 3, 0x90, 100, kFile).record, 5);
}

TEST(MenuMessages, TheMdiStoreSwapsRecordSetsAndStartsNewMenusEmpty)
{
    MdiMenuStore store;
    store.SetCurrentMenu(10);
    MenuItems items = Sample();
    const std::vector<MenuItemRecord> first = items.Records();

    EXPECT_EQ(store.SetMenu(0, items), MdiMenuStore::Change::None);
    EXPECT_EQ(store.SetMenu(10, items), MdiMenuStore::Change::None);
    EXPECT_EQ(items.Records(), first);

    EXPECT_EQ(store.SetMenu(20, items), MdiMenuStore::Change::NewMenu);
    EXPECT_EQ(items.Count(), 0);
    MenuItemRecord second;
    second.sCaption = L"Window";
    items.Append(second);

    EXPECT_EQ(store.SetMenu(10, items), MdiMenuStore::Change::Restored);
    EXPECT_EQ(items.Records(), first);
    EXPECT_EQ(store.SetMenu(20, items), MdiMenuStore::Change::Restored);
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items[1].sCaption, L"Window");
    items[1].sCaption = L"Changed";  // what a frame menu's records became is what comes back
    EXPECT_EQ(store.SetMenu(10, items), MdiMenuStore::Change::Restored);
    EXPECT_EQ(store.SetMenu(20, items), MdiMenuStore::Change::Restored);
    EXPECT_EQ(items[1].sCaption, L"Changed");
    EXPECT_EQ(store.StoredSets(), 2);
}

TEST(MenuMessages, MenusStayPlainInAnExtraCopyWithTheOptionOffOrStartedMini)
{
    const struct {
        const wchar_t* instance;
        bool menuXp;
        const wchar_t* word;
        bool plain;
    } cases[] = {
        {L"1", true, L"", false}, {L"2", true, L"", true},   {L"1", false, L"", true},
        {L"1", true, L"mini", true}, {L"1", true, L"MINI", false}, {L"1", true, L"juro", false},
        {L"", true, L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.instance) + L"/" + c.word));
        EXPECT_EQ(KeepMenusPlain(c.instance, c.menuXp, c.word), c.plain);
    }
    for (unsigned id : {0xF000u, 0xF010u, 0xF020u, 0xF030u, 0xF060u, 0xF120u})
        EXPECT_TRUE(IsWindowMenuCommand(id)) << id;
    for (unsigned id : {0xF100u, 0xF040u, 1u})
        EXPECT_FALSE(IsWindowMenuCommand(id)) << id;
}

}  // namespace
