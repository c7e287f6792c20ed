#pragma once
// PopMenu: draws its host window's menus itself. SubClassMenu keeps one record per menu item (depth first)
// and turns every item into an owner-drawn item whose item data is the record's number; MeasureItem and
// DrawItem answer the platform's measuring and drawing requests from the records, in the flat "Office XP"
// look or the classic one. Callers name items by number or by the host's menu control name ("mnuSair",
// "mnuImprimir(0)"); an unknown key records error 9 and changes nothing.
//
// Once converted, the host form's menu controls report caption, shortcut, visibility and state changes to
// the control, which takes them over so that the items stay owner-drawn.
//
// At run time the control hears its host's menu messages through the subclassing module (unless the menus stay
// plain: an extra calculator, the option "MenuXP" off, or the start-up word "mini"). The host's own procedure
// sees each of them first, so its menu handlers run before the control's events; the control alone answers
// the measuring and drawing of its items. Its end detaches it and frees its drawing objects, even while the
// host window lives on.
#include "controls/ColorBlend.h"
#include "controls/ISubclass.h"
#include "controls/MenuMessages.h"
#include "controls/MenuItems.h"
#include "controls/MenuLayout.h"
#include "controls/MenuPainter.h"
#include "controls/cDottedBrush_win.h"
#include "controls/cMemDC_win.h"
#include "controls/cNCMetrics_win.h"
#include "runtime/MemoryBitmap_win.h"
#include "runtime/Picture_win.h"
#include "runtime/UserControl_win.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

namespace rt {
class Form;
class Menu;
}  // namespace rt

namespace controls {

// The optional arguments of ReplaceItem; an absent one leaves its field alone.
struct ReplaceItemArgs {
    std::optional<std::wstring> sCaption = {};
    std::optional<std::wstring> sHelptext = {};
    std::optional<std::intptr_t> lItemData = {};
    std::optional<int> lIconIndex = {};
    std::optional<bool> bChecked = {};
    std::optional<bool> bEnabled = {};
};

class PopMenu : public rt::UserControl, public ISubclass {
public:
    PopMenu();
    ~PopMenu() override;

    // Events, in this order; arguments by reference.
    std::function<void(int& item)> Click;  // a converted item's command, after the host's own handler
    std::function<void(long& command)> SystemMenuClick;
    std::function<void(int& item, bool& enabled, bool& separator)> ItemHighlight;
    std::function<void(long& command, bool& enabled, bool& separator)> SystemMenuItemHighlight;
    std::function<void()> MenuExit;
    std::function<void(int& item)> InitPopupMenu;  // the item that opens the popup about to show
    std::function<void()> WinIniChange;            // after the control rebuilt itself for new system settings
    std::function<void()> NewMDIMenu;              // an MDI frame menu without stored records came in

    // Hooks the host's menu messages (start-up does this unless the menus stay plain).
    void AttachMessages(HWND hWnd);
    bool Hooked() const { return hooked_; }
    // The glyph font, the measuring context, the drawing surface or the dotted brush is held.
    bool HoldsDrawingObjects() const;
    // The record sets of the host's MDI frame menus (empty on a host that is not an MDI frame).
    const MdiMenuStore& MdiMenus() const { return mdiStore_; }

    int MsgResponse() override;
    void MsgResponse(int) override {}
    SubclassResult WindowProc(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam,
                              SubclassLParam lParam) override;

    // Items.
    void SubClassMenu(rt::Form* oForm = nullptr, bool bLeaveTopLevelMenus = false);
    int MenuIndex(const MenuKey& vKey);
    bool MenuDefault(const MenuKey& vKey);
    void SetMenuDefault(const MenuKey& vKey, bool bState);
    using rt::UserControl::Enabled;
    using rt::UserControl::SetEnabled;
    bool Enabled(const MenuKey& vKey);
    void SetEnabled(const MenuKey& vKey, bool bEnabled);
    int ItemIcon(const MenuKey& vKey);
    void SetItemIcon(const MenuKey& vKey, int lIconIndex);
    int ItemRadio(const MenuKey& vKey);  // -1 or 0
    void SetItemRadio(const MenuKey& vKey, int lIconIndex);
    long ReplaceItem(const MenuKey& vKey, const ReplaceItemArgs& args = {});
    void Clear();

    // Appearance. The setters store the value only: items show it the next time they are drawn.
    rt::OleColor ActiveMenuForeColor() const;
    void SetActiveMenuForeColor(rt::OleColor oColor) { activeFore_ = oColor; }
    rt::OleColor InActiveMenuForeColor() const;
    void SetInActiveMenuForeColor(rt::OleColor oColor) { inactiveFore_ = oColor; }
    rt::OleColor MenuBackgroundColor() const;
    void SetMenuBackgroundColor(rt::OleColor oColor) { menuBack_ = oColor; }
    const rt::PicturePtr& BackgroundPicture() const { return picture_; }
    void SetBackgroundPicture(rt::PicturePtr sPic);
    void ClearBackgroundPicture();
    bool OfficeXpStyle() const { return officeXpStyle_; }
    void SetOfficeXpStyle(bool bState) { officeXpStyle_ = bState; }
    // The icon source: an image list's handle (not owned). The icon size follows its images.
    void SetImageList(HIMAGELIST vImageList);
    // The same, given as a way to get the handle, asked when a popup first opens: the menu bar draws no icon,
    // so a list made only for the menus is not made before the window is first seen.
    void SetImageListSource(std::function<HIMAGELIST()> source);
    HIMAGELIST ImageList() const { return imageListSource_ ? imageListSource_() : imageList_; }

    // Measuring and drawing, answering the host's WM_MEASUREITEM and WM_DRAWITEM.
    void MeasureItem(UINT itemId, UINT& itemWidth, UINT& itemHeight);
    void DrawItem(const DRAWITEMSTRUCT& drawItem, int index);
    bool IsTopLevelItem(int index) const;
    int IndexForId(UINT id) const { return items_.IndexForId(id); }

    // The system fonts and the row height again (start-up and changed system settings).
    void RefreshMetrics();

    const MenuItems& Items() const { return items_; }
    MenuItems& Items() { return items_; }
    int ItemHeight() const { return itemHeight_; }
    int IconHeight() const { return iconHeight_; }
    // The host window: the parent form's window while the control runs.
    HWND HostWindow() const;

protected:
    void ResetProperties() override;
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(const rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override;

private:
    void HandleCommand(unsigned id);
    void HandleMenuSelect(unsigned item, unsigned flags, HMENU menu);
    void HandleInitPopup(HMENU popup);
    LRESULT HandleMenuChar(HMENU menu, wchar_t character);
    void HandleSettingChange();
    void RebuildItems();
    void HandleMdiSetMenu(HMENU menu);
    bool KeepPlain() const;
    void LoadResourceBitmaps();
    void ReleaseDrawingObjects();

    void ConvertMenu(HMENU menu, MenuId parent, bool leaveTopLevelMenus, const std::vector<MenuItemRecord>& before);
    void ConvertItem(HMENU menu, int position, MenuId parent, bool leaveTopLevelMenus,
                     const std::vector<MenuItemRecord>& before);
    void OnMenuChanged();
    void EnsureMetrics();
    // Takes the icon source given as a way to get it (a popup opening: its items are measured and drawn next).
    void EnsureImageList();
    bool IsHighColour();
    MenuColors Colors();

    MenuItems items_;
    rt::Form* form_ = nullptr;  // the form given to the last SubClassMenu
    bool leaveTopLevelMenus_ = false;
    bool converting_ = false;
    bool rebuildPending_ = false;  // a setting changed while the host's menu was open

    int itemHeight_ = 22;
    int iconHeight_ = 16;
    HIMAGELIST imageList_ = nullptr;
    std::function<HIMAGELIST()> imageListSource_;
    rt::MemoryDcHandle measureDc_;
    bool metricsRead_ = false;
    rt::OleColor activeFore_ = kUnsetColour;
    rt::OleColor inactiveFore_ = kUnsetColour;
    rt::OleColor menuBack_ = kUnsetColour;
    cNCMetrics metrics_;
    cMemDC surface_;
    cDottedBrush dottedBrush_;
    ColorMemory colorMemory_;
    rt::PicturePtr picture_;
    rt::MemoryBitmap pictureDc_;  // shows the picture's own bitmap: after the picture, so that it goes first
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool officeXpStyle_ = false;
    bool hooked_ = false;
    HFONT glyphFont_ = nullptr;  // shared, never deleted (rt::CachedFont)
    rt::BitmapHandle bitmap49_;
    rt::BitmapHandle bitmap48_;
    // The measuring context's menu font and, in design mode, bitmap 48: after the context and what they
    // select, so that the context's own objects go back before either is deleted.
    rt::SelectScope measureFont_;
    rt::SelectScope measureBitmap_;
    HWND mdiClient_ = nullptr;
    MdiMenuStore mdiStore_;

    static constexpr rt::OleColor kUnsetColour = 0xFFFFFFFFu;
    // The control's box on a design surface, in pixels.
    static constexpr int kBoxPixels = 40;
};

}  // namespace controls
