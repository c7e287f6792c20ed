#pragma once
// The menu control's item records, numbered from 1 in depth-first menu order, and how callers name them:
// by number, by numeric text or by the key of the host's menu control.
#include "controls/MenuItemRecord.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace controls {

// A number, or a text that is a number or a key ("5", "mnuImprimir(0)").
class MenuKey {
public:
    MenuKey(int number) : value_(static_cast<double>(number)) {}
    MenuKey(long number) : value_(static_cast<double>(number)) {}
    MenuKey(long long number) : value_(static_cast<double>(number)) {}
    MenuKey(double number) : value_(number) {}
    MenuKey(std::wstring text) : value_(std::move(text)) {}
    MenuKey(const wchar_t* text) : value_(std::wstring(text)) {}

    // The key's number when it is one or a text that reads as one.
    bool IsNumeric(double& number) const;
    // Equal to 0 as a number (0, "0", " 0.0 ").
    bool IsZero() const;
    const std::wstring* Text() const { return std::get_if<std::wstring>(&value_); }

private:
    std::variant<double, std::wstring> value_;
};

// One menu control of the host form, in the form's control order.
struct MenuControlInfo {
    std::wstring sCaption;
    std::wstring sName;
    std::wstring sTag;
    bool bIsArray = false;
    long lIndex = 0;
    bool bVisible = true;
};

class MenuItems {
public:
    int Count() const { return static_cast<int>(records_.size()); }
    // Record n, 1 <= n <= Count().
    MenuItemRecord& operator[](int n) { return records_[static_cast<size_t>(n - 1)]; }
    const MenuItemRecord& operator[](int n) const { return records_[static_cast<size_t>(n - 1)]; }
    bool Has(int n) const { return n >= 1 && n <= Count(); }

    // Appends a record and answers its number.
    int Append(MenuItemRecord record);
    void Clear() { records_.clear(); }

    // The number a key names: a numeric key within 1..Count() (a fraction rounds to even), else the first
    // record whose sKey equals a text key exactly; -1 when none.
    int FindItemIndex(const MenuKey& key) const;
    // First record with command identifier `id`; 0 when none.
    int IndexForId(std::uint32_t id) const;

    // Gives the records the keys and tags of the form's menu controls, in order: an invisible control has no
    // item and is skipped; pairing stops where either list ends.
    void PairKeys(const std::vector<MenuControlInfo>& controls);

    const std::vector<MenuItemRecord>& Records() const { return records_; }
    void Assign(std::vector<MenuItemRecord> records) { records_ = std::move(records); }

private:
    std::vector<MenuItemRecord> records_;
};

// The key of a menu control: its name, followed by "(" index ")" for an element of a control array.
std::wstring MenuControlKey(const MenuControlInfo& control);

}  // namespace controls
