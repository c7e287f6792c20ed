#include "controls/MenuItems.h"

#include "runtime/NumberText.h"

#include <cmath>

namespace controls {

bool MenuKey::IsNumeric(double& number) const
{
    if (const double* value = std::get_if<double>(&value_)) {
        number = *value;
        return true;
    }
    const auto parsed = rt::ParseNumber(std::get<std::wstring>(value_));
    if (!parsed)
        return false;
    number = *parsed;
    return true;
}

bool MenuKey::IsZero() const
{
    double number = 0;
    return IsNumeric(number) && number == 0;
}

int MenuItems::Append(MenuItemRecord record)
{
    records_.push_back(std::move(record));
    return Count();
}

int MenuItems::FindItemIndex(const MenuKey& key) const
{
    double number = 0;
    if (key.IsNumeric(number)) {
        // Compared before rounding, so that huge or non-finite numbers never reach an integer conversion.
        if (!(number >= 0.5 && number <= Count() + 0.5))
            return -1;
        const int index = static_cast<int>(std::nearbyint(number));
        return Has(index) ? index : -1;
    }
    const std::wstring& text = *key.Text();
    for (int n = 1; n <= Count(); ++n)
        if ((*this)[n].sKey == text)
            return n;
    return -1;
}

int MenuItems::IndexForId(std::uint32_t id) const
{
    for (int n = 1; n <= Count(); ++n)
        if ((*this)[n].lId == id)
            return n;
    return 0;
}

std::wstring MenuControlKey(const MenuControlInfo& control)
{
    if (!control.bIsArray)
        return control.sName;
    return control.sName + L"(" + std::to_wstring(control.lIndex) + L")";
}

void MenuItems::PairKeys(const std::vector<MenuControlInfo>& controls)
{
    size_t j = 0;
    for (MenuItemRecord& record : records_) {
        while (j < controls.size() && !controls[j].bVisible)
            ++j;
        if (j >= controls.size())
            return;
        record.sKey = MenuControlKey(controls[j]);
        record.sTag = controls[j].sTag;
        ++j;
    }
}

}  // namespace controls
