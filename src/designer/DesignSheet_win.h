#pragma once
// The design host's property sheet: the pages of the selected controls as tabs, with OK, Cancel and Apply.
// The host's side of the page contract:
// - every page is initialised once each time the sheet opens;
// - a page hears of the selection when it is first shown and at every change of selection after that;
// - Apply is enabled while any page says it has changes; applying clears a page's flag and then runs its
//   ApplyChanges (so a page that refuses its values sets the flag again), then the host saves: everything
//   when a page applied changes (a page may change a control in ways the control names to no one), else
//   what the controls report as changed;
// - OK applies and closes unless a page kept its changes or the save failed; Cancel, Esc, the close box and
//   Alt+F4 close without applying or saving anything, so the document stays as the last Apply or OK left it.
// Keys: Enter is OK (or the focused button), Esc is Cancel, Ctrl+Tab and Ctrl+Shift+Tab change tabs.
#include "runtime/CommandButton_win.h"
#include "runtime/Form_win.h"
#include "runtime/PropertyPage_win.h"
#include "runtime/TabStrip_win.h"

#include <vector>

namespace rt {
class UserControl;
}

namespace designer {

class DesignSheet : public rt::Form {
public:
    rt::TabStrip tabPages;
    rt::CommandButton cmdOK;
    rt::CommandButton cmdCancel;
    rt::CommandButton cmdApply;

    const std::vector<rt::PropertyPage*>& Pages() const { return pages_; }
    // The controls the pages edit.
    void SetSelection(std::vector<rt::UserControl*> selection);

protected:
    DesignSheet() = default;
    // Adds the tab strip, the pages in tab order (members of the derived host, so that they live as long as
    // the sheet) and the buttons. The derived host calls it first in its constructor, then adds its own
    // controls.
    void AddPages(std::vector<rt::PropertyPage*> pages);

    // Keeps the controls' state as the host's document: always when `pagesApplied` (a page applied changes),
    // else only when a control reports a change. False when that failed, which keeps the sheet open.
    virtual bool SaveChanges(bool pagesApplied) { return true; }
    // The client area's height the sheet itself needs, for a derived Design to place controls below it.
    int SheetHeight() const { return sheetHeight_; }

    void Design() override;
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_KeyPress(int& KeyAscii) override;

private:
    void ShowPage(int index);
    bool AnyChanged() const;
    void UpdateApply();
    // Applies every page with changes and saves; false when a page kept changes or the save failed.
    bool ApplyAll();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

    std::vector<rt::PropertyPage*> pages_;
    std::vector<bool> shown_;
    std::vector<rt::UserControl*> selection_;
    int sheetHeight_ = 0;
    bool unsaved_ = false;  // a page applied changes that no save has kept yet (the last save failed)
};

}  // namespace designer
