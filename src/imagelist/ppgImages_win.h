#pragma once
// The image list's Images page: the images of the first selected control as a strip with a selection, and
// the buttons that add images from files (several at once, every frame of an animated cursor), remove one,
// clear the list, move the selected one back or forward, the key of the selected image, and the colour that
// bitmaps are made transparent with. Image operations act on the control at once; only a key edit waits for
// the next step, apply or move. Like the Properties page it keeps no reference to the control: every call
// goes to SelectedControls(0).
//
// The strip is painted on the page's persistent drawing image (DrawImages) by the geometry of
// imagelist/ImageStripGeometry.h; the page's rules (keys, colours, file names) are in
// imagelist/ImagesPageRules.h.
#include "imagelist/ImageStripGeometry.h"
#include "runtime/Buttons_win.h"
#include "runtime/CommandButton_win.h"
#include "runtime/Containers_win.h"
#include "runtime/Label_win.h"
#include "runtime/PropertyPage_win.h"
#include "runtime/ScrollBar_win.h"
#include "runtime/TextBox_win.h"

#include <cstdint>
#include <string>

namespace imagelist {

class IconList;

class ppgImages : public rt::PropertyPage {
public:
    ppgImages();

    rt::Frame fraTransparentColour;
    rt::Label lblBitmapColour;
    rt::OptionButton optTransparentColour[2];
    rt::Label lblRGB[3];
    rt::TextBox txtRGB[3];
    rt::Label lblColor;
    rt::CommandButton cmdPickColour;
    rt::Frame fraCurrent;
    rt::Label lblItemIndex;
    rt::TextBox txtIndex;
    rt::CommandButton cmdBack;
    rt::CommandButton cmdNext;
    rt::Label lblItemKey;
    rt::TextBox txtKey;
    rt::CheckBox chkSetKeys;
    rt::HScrollBar hscScroll;
    rt::CommandButton cmdAdd;
    rt::CommandButton cmdRemove;
    rt::CommandButton cmdMoveDown;
    rt::CommandButton cmdMoveUp;
    rt::CommandButton cmdClear;

    // 0-based index of the selected image; -1 once a redraw found the list empty.
    int SelectedImage = 0;
    // The strip's rectangle in pixels of the page, as the last DrawImages placed it.
    PixelRect StripRect;

    // Repaints the strip and brings the index and key boxes and the buttons up to date; a key edit not yet
    // written is dropped.
    void DrawImages();
    // Adds every frame of an animated cursor as an image, after position lKeyAfter (0: at the end), drawn on
    // the transparent colour; the first frame keyed sKey. A file that draws at every step is one frame.
    void AddCursorFrames(const std::wstring& sFileName, int lKeyAfter, const std::wstring& sKey);

protected:
    void Design() override;
    void PropertyPage_Initialize() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;
    void PropertyPage_Paint() override;
    void PropertyPage_MouseDown(int Button, int Shift, float X, float Y) override;
    void OnShow() override;

private:
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void cmdMoveDown_Click();
    void cmdMoveUp_Click();
    void cmdBack_Click();
    void cmdNext_Click();
    void cmdPickColour_Click();
    void txtKey_Change();
    void txtRGB_Change(int Index);
    void optTransparentColour_Click(int Index);
    void hscScroll_Change();
    void hscScroll_Scroll();

    // Adds the images of one file after the selected image; `colour` is the transparent colour of bitmaps
    // (-1: the top-left pixel).
    void AddFile(IconList& list, const std::wstring& path, std::int32_t colour);
    void CommitKey();
    void ShowTransparentColour();
    // iDirection 1 after a step to the next image, anything else after a step back.
    void ScrollToSelected(int iDirection);
    // Paints the strip alone, fitting the scroll bar and the selection to the list; the image count.
    int PaintStrip();
    IconList* Selected() const;
};

}  // namespace imagelist
