#pragma once
// One saved set of the menu control's item records: the records of one MDI frame menu, kept while another
// frame menu is in use.
#include "controls/MenuItemRecord.h"

#include <string>
#include <vector>

namespace controls {

class cStoreMenu {
public:
    MenuId MenuHandle() const { return menuHandle_; }
    void SetMenuHandle(MenuId handle) { menuHandle_ = handle; }
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }

    // Keeps copies of the first `count` records (none when count < 1).
    void StoreItems(const std::vector<MenuItemRecord>& items, int count);
    // Gives back copies of the kept records and their count.
    void RestoreItems(std::vector<MenuItemRecord>& items, int& count) const;

private:
    std::wstring tag_;
    MenuId menuHandle_ = 0;
    std::vector<MenuItemRecord> items_;
};

}  // namespace controls
