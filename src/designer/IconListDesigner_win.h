#pragma once
// The image list's design host: edits the property set of one image list kept in a file. The set is loaded
// into Image1 in design mode (its ambient UserMode false), the control's pages edit it as tabs of the sheet,
// and Apply and OK write the set back to the file; Cancel leaves the file as the last save wrote it.
#include "designer/DesignSheet_win.h"
#include "imagelist/IconList_win.h"
#include "imagelist/ppgControl_win.h"
#include "imagelist/ppgImages_win.h"
#include "runtime/PropertyBag.h"

#include <optional>
#include <string>

namespace designer {

class IconListDesigner : public DesignSheet {
public:
    IconListDesigner();

    imagelist::ppgControl ppgControl1;
    imagelist::ppgImages ppgImages1;
    imagelist::IconList Image1;

    // Takes the set kept in `path`; a path with no file yet starts a new control, saved there at the first
    // change. False, after a message, for a file that cannot be read: nothing is changed then.
    bool Open(const std::wstring& path);
    const std::wstring& Path() const { return path_; }

protected:
    void Design() override;
    bool SaveChanges(bool pagesApplied) override;

private:
    std::wstring path_;
    std::optional<rt::PropertyBag> design_;  // empty: a new control
};

}  // namespace designer
