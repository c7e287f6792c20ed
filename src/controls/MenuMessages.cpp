#include "controls/MenuMessages.h"

#include <algorithm>

namespace controls {

namespace {

constexpr unsigned kFlagPopup = 0x10;      // MF_POPUP
constexpr std::intptr_t kExecute = 0x20000;  // MNC_EXECUTE in the high word

}  // namespace

bool IsWindowMenuCommand(unsigned id)
{
    constexpr unsigned kCommands[] = {0xF000, 0xF010, 0xF020, 0xF030, 0xF060, 0xF120};
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

std::intptr_t MenuCharAnswer(const MenuItems& items, MenuId menu, const std::wstring& upper,
                             const std::vector<MenuPosition>& positions)
{
    for (int n = 1; n <= items.Count(); ++n) {
        const MenuItemRecord& record = items[n];
        if (record.hMenu != menu || record.sAccelerator != upper)
            continue;
        for (size_t p = 0; p < positions.size(); ++p)
            if (positions[p].id == record.lId)
                return kExecute | static_cast<std::intptr_t>(p);
    }
    return 0;
}

int PopupOpener(const MenuItems& items, MenuId popup)
{
    int n = items.Count();
    while (n >= 1 && items[n].hMenu != popup)
        --n;
    if (n < 1)
        return 0;
    const std::uint32_t opener = IdOfPopup(items[n].hParentMenu);
    for (--n; n >= 1; --n)
        if (items[n].lId == opener)
            return n;
    return 0;
}

MenuSelection SelectionOf(const MenuItems& items, unsigned item, unsigned flags, MenuId menu,
                          const std::vector<MenuPosition>& positions)
{
    MenuSelection selection;
    if (menu == 0)
        return selection;
    if (flags & kFlagPopup) {
        if (item < positions.size() && positions[item].popup != 0) {
            const std::uint32_t opener = IdOfPopup(positions[item].popup);
            for (int n = 1; n <= items.Count(); ++n)
                if (items[n].hMenu == menu && items[n].lId == opener)
                    return {MenuSelection::Kind::Item, n, opener};
        }
        return selection;
    }
    const bool inMenu = std::any_of(positions.begin(), positions.end(),
                                    [item](const MenuPosition& p) { return p.id == item; });
    if (!inMenu)
        return selection;
    if (const int n = items.IndexForId(item); n >= 1)
        return {MenuSelection::Kind::Item, n, item};
    return {MenuSelection::Kind::WindowMenuItem, 0, item};
}

MdiMenuStore::Change MdiMenuStore::SetMenu(MenuId menu, MenuItems& items)
{
    if (menu == 0 || menu == current_)
        return Change::None;
    const auto holding = [](MenuId handle) {
        return [handle](const cStoreMenu& set) { return set.MenuHandle() == handle; };
    };
    auto cur = std::find_if(sets_.begin(), sets_.end(), holding(current_));
    const auto found = std::find_if(sets_.begin(), sets_.end(), holding(menu));
    const auto fresh = found == sets_.end() ? -1 : found - sets_.begin();
    if (cur == sets_.end()) {
        sets_.emplace_back().SetMenuHandle(current_);
        cur = sets_.end() - 1;
    }
    cur->StoreItems(items.Records(), items.Count());
    current_ = menu;
    if (fresh < 0) {
        items.Clear();
        return Change::NewMenu;
    }
    std::vector<MenuItemRecord> restored;
    int count = 0;
    sets_[static_cast<size_t>(fresh)].RestoreItems(restored, count);
    items.Assign(std::move(restored));
    return Change::Restored;
}

bool KeepMenusPlain(const std::wstring& instance, bool menuXp, const std::wstring& startWord)
{
    return instance == L"2" || !menuXp || startWord == L"mini";
}

}  // namespace controls
