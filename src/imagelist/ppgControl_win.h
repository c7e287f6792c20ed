#pragma once
// The image list's Properties page: icon width, height and colour depth of the first selected control. The
// page keeps no reference of its own to the control; every read and write goes to SelectedControls(0).
// A size change on a control that holds images re-creates its list at the new size, carrying the images and
// keys over through a temporary image-list file; no image is lost when that save or load fails.
#include "runtime/ComboBox_win.h"
#include "runtime/CommandButton_win.h"
#include "runtime/Label_win.h"
#include "runtime/PropertyPage_win.h"
#include "runtime/TextBox_win.h"

#include <string>
#include <vector>

namespace imagelist {

class IconList;

class ppgControl : public rt::PropertyPage {
public:
    ppgControl();

    rt::Label lblIconSize;
    rt::Label lblX;
    rt::TextBox txtIconSize[2];
    rt::Label lblY;
    rt::CommandButton cmdSize[5];
    rt::Label lblColourDepth;
    rt::ComboBox cboColourDepth;

protected:
    void Design() override;
    void PropertyPage_Initialize() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

private:
    void txtIconSize_Change(int Index);
    void cmdSize_Click(int Index);
    void cboColourDepth_Click();

    IconList* Selected() const;
    // Writes `text` into a box with its guard set, so that the page's own filling is no change.
    void ShowSize(int index, int size);
    // Re-creates the list at the stored size, carrying the images over; false (nothing lost, the old sizes
    // stored again) when they could not be saved.
    bool Recreate(IconList& list, bool keepImages, int oldX, int oldY);
    static void RestoreKeys(IconList& list, const std::vector<std::wstring>& keys);

    // The combo's list index after the last accepted change; empty until the first click, counting as 0.
    int LastDepthIndex = 0;
};

}  // namespace imagelist
