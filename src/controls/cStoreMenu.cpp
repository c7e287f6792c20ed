#include "controls/cStoreMenu.h"

#include <algorithm>

namespace controls {

void cStoreMenu::StoreItems(const std::vector<MenuItemRecord>& items, int count)
{
    // A count beyond the records given keeps what there is, never reads past them.
    const size_t kept = count < 1 ? 0 : std::min(static_cast<size_t>(count), items.size());
    items_.assign(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(kept));
}

void cStoreMenu::RestoreItems(std::vector<MenuItemRecord>& items, int& count) const
{
    items = items_;
    count = static_cast<int>(items_.size());
}

}  // namespace controls
