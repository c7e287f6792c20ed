#include "imagelist/ppgControl_win.h"

#include "controls/mDeclares_win.h"
#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "imagelist/IconList_win.h"
#include "imagelist/IconSizeText.h"
#include "runtime/ErrorState.h"
#include "runtime/MsgBox_win.h"

#include <string>

namespace imagelist {

namespace {

constexpr wchar_t kChanging[] = L"CHANGING";

constexpr struct {
    const wchar_t* text;
    long depth;  // the image list's colour flag
} kDepths[] = {
    {L"(Default)", 0},
    {L"16 colour (4 bit)", 4},
    {L"256 colour (8 bit)", 8},
    {L"65,000 colours (16 bit)", 16},
    {L"True Colour (24 bit)", 24},
    {L"Excessive (32 bit)", 32},
};

constexpr struct {
    const wchar_t* caption;
    const wchar_t* tag;
    const wchar_t* tip;
    int left;
} kSizes[] = {
    {L"&16 x 16", L"16", L"16 x 16 Image List", 60},
    {L"&24 x 24", L"24", L"24 x 24 Image List", 960},
    {L"&32 x 32", L"32", L"32 x 32 Image list", 1860},
    {L"&48 x 48", L"48", L"48 x 48 Image List", 2760},
    {L"&72 x 72", L"72", L"72 x 72 Image List", 3660},
};

// The size question, ending in `ending` (message 732 or 733).
bool ConfirmSizeChange(int ending)
{
    const std::wstring text = Module1::CarregaMensagem(731) + core::Program().QuebraDupla +
                              Module1::CarregaMensagem(ending);
    return rt::MsgBox(text, rt::kMsgYesNo + rt::kMsgQuestion) == rt::kMsgResultYes;
}

}  // namespace

ppgControl::ppgControl()
{
    AddControl(lblIconSize, {L"lblIconSize"});
    AddControl(lblX, {L"lblX"});
    AddControl(txtIconSize[0], {L"txtIconSize", 0});
    AddControl(lblY, {L"lblY"});
    AddControl(txtIconSize[1], {L"txtIconSize", 1});
    for (int i = 0; i < 5; ++i)
        AddControl(cmdSize[i], {L"cmdSize", i});
    AddControl(lblColourDepth, {L"lblColourDepth"});
    AddControl(cboColourDepth, {L"cboColourDepth"});
    for (int i = 0; i < 2; ++i)
        txtIconSize[i].Change = [this, i] { txtIconSize_Change(i); };
    for (int i = 0; i < 5; ++i)
        cmdSize[i].Click = [this, i] { cmdSize_Click(i); };
    cboColourDepth.Click = [this] { cboColourDepth_Click(); };
}

void ppgControl::Design()
{
    SetCaption(L"Properties");
    SetFont(rt::StdFont{L"Tahoma", 8.25});
    Move(Left(), Top(), 5790, 3600);
    lblIconSize.SetCaption(L"Icon &Size:");
    lblIconSize.Move(60, 600, 2700, 240);
    lblX.SetCaption(L"&X");
    lblX.Move(60, 900, 195, 195);
    txtIconSize[0].Move(240, 840, 720, 330);
    lblY.SetCaption(L"&Y");
    lblY.Move(1080, 900, 195, 195);
    txtIconSize[1].Move(1260, 840, 720, 330);
    for (int i = 0; i < 5; ++i) {
        cmdSize[i].SetCaption(kSizes[i].caption);
        cmdSize[i].SetTag(kSizes[i].tag);
        cmdSize[i].SetToolTipText(kSizes[i].tip);
        cmdSize[i].Move(kSizes[i].left, 1260, 855, 315);
    }
    lblColourDepth.SetCaption(L"&Colour Depth:");
    lblColourDepth.Move(60, 1800, 2700, 240);
    cboColourDepth.Move(60, 2040, 2715, 315);
}

IconList* ppgControl::Selected() const
{
    return dynamic_cast<IconList*>(SelectedControls(0));
}

void ppgControl::PropertyPage_Initialize()
{
    for (const auto& entry : kDepths) {
        cboColourDepth.AddItem(entry.text);
        cboColourDepth.SetItemData(cboColourDepth.ListCount() - 1, entry.depth);
    }
}

void ppgControl::ShowSize(int index, int size)
{
    txtIconSize[index].SetTag(kChanging);
    txtIconSize[index].SetText(std::to_wstring(size));
    txtIconSize[index].SetTag(L"");
}

void ppgControl::PropertyPage_SelectionChanged()
{
    IconList* list = Selected();
    if (!list)
        return;
    ShowSize(0, list->IconSizeX());
    ShowSize(1, list->IconSizeY());
    cboColourDepth.SetTag(kChanging);
    for (int i = 0; i < cboColourDepth.ListCount(); ++i) {
        if (cboColourDepth.ItemData(i) == list->ColourDepth()) {
            cboColourDepth.SetListIndex(i);
            break;
        }
    }
    cboColourDepth.SetTag(L"");
}

void ppgControl::txtIconSize_Change(int Index)
{
    if (txtIconSize[Index].Tag().empty())
        SetChanged(true);
}

void ppgControl::cmdSize_Click(int Index)
{
    const int size = std::stoi(cmdSize[Index].Tag());
    if (IconList* list = Selected();
        list && list->ImageCount() != 0 && (size != list->IconSizeX() || size != list->IconSizeY())) {
        if (!ConfirmSizeChange(732))
            return;
    }
    txtIconSize[0].SetText(std::to_wstring(size));
    txtIconSize[1].SetText(std::to_wstring(size));
}

void ppgControl::cboColourDepth_Click()
{
    const int now = cboColourDepth.ListIndex();
    IconList* list = Selected();
    if (now < LastDepthIndex && list && list->ImageCount() > 0) {
        if (rt::MsgBox(Module1::CarregaMensagem(734), rt::kMsgYesNo + rt::kMsgQuestion) == rt::kMsgResultNo) {
            cboColourDepth.SetTag(kChanging);
            cboColourDepth.SetListIndex(LastDepthIndex);
            cboColourDepth.SetTag(L"");
            return;
        }
    }
    if (cboColourDepth.Tag().empty())
        SetChanged(true);
    LastDepthIndex = cboColourDepth.ListIndex();
}

void ppgControl::PropertyPage_ApplyChanges()
{
    IconList* list = Selected();
    if (!list)
        return;
    // Only whole sizes the list can be made at: a size of 0 or 1E9 would leave the control without a list.
    const auto x = ParseIconSize(txtIconSize[0].Text());
    const auto y = ParseIconSize(txtIconSize[1].Text());
    if (!x || !y) {
        rt::MsgBox(Module1::CarregaMensagem(735), rt::kMsgOkOnly + rt::kMsgInformation);
        SetChanged(true);  // the boxes keep what the user typed, still to be applied
        return;
    }
    const int oldX = list->IconSizeX();
    const int oldY = list->IconSizeY();
    bool keepImages = false;
    bool recreate = false;
    if (*x != oldX || *y != oldY) {
        if (list->ImageCount() > 0) {
            keepImages = true;
            if (!ConfirmSizeChange(733)) {
                txtIconSize[0].SetText(std::to_wstring(oldX));
                txtIconSize[1].SetText(std::to_wstring(oldY));
                return;
            }
        }
        recreate = true;
    }
    list->SetIconSizeX(*x);
    list->SetIconSizeY(*y);
    if (cboColourDepth.ListIndex() >= 0)
        list->SetColourDepth(static_cast<std::int32_t>(cboColourDepth.ItemData(cboColourDepth.ListIndex())));
    if (recreate && !Recreate(*list, keepImages, oldX, oldY))
        SetChanged(true);
}

// The file keeps keys in the system's code page, which turns a character it lacks into a look-alike ("Ω" into
// "O"), so that a key can change or meet another's: the keys go back as they were when every image came back.
void ppgControl::RestoreKeys(IconList& list, const std::vector<std::wstring>& keys)
{
    if (list.ImageCount() != static_cast<int>(keys.size()))
        return;
    // Emptied first, so that no key the file changed stands in the way of one put back.
    for (int i = 1; i <= list.ImageCount(); ++i)
        list.SetItemKey(i, std::wstring());
    for (int i = 1; i <= list.ImageCount(); ++i)
        list.SetItemKey(i, keys[static_cast<std::size_t>(i - 1)]);
    rt::Err().Clear();  // keys the set held twice already: the second stays empty, as the list refuses it
}

bool ppgControl::Recreate(IconList& list, bool keepImages, int oldX, int oldY)
{
    std::wstring tempFile;
    std::vector<std::wstring> keys;
    if (keepImages) {
        for (int i = 1; i <= list.ImageCount(); ++i)
            keys.push_back(list.ItemKey(i).value_or(L""));
        // The list is cleared only once its images are safe in the file.
        auto refuse = [&](const std::wstring& message) {
            list.SetIconSizeX(oldX);
            list.SetIconSizeY(oldY);
            rt::MsgBox(message, rt::kMsgOkOnly + rt::kMsgCritical);
            return false;
        };
        tempFile = controls::TempFileName(L"ILS");
        if (tempFile.empty())
            return refuse(Module1::CarregaMensagem(736));
        bool saved = false;
        std::wstring description;
        try {
            saved = list.SaveToFile(tempFile);
        } catch (const IconListError& error) {
            description = error.Info().description;
        }
        if (!saved) {
            DeleteFileW(tempFile.c_str());  // it holds no image the list does not still have
            return refuse(Module1::CarregaMensagem(737, description.empty() ? rt::Err().Description() : description));
        }
    }
    list.Clear();
    if (!keepImages)
        return true;
    bool loaded = false;
    std::wstring description;
    try {
        loaded = list.LoadFromFile(tempFile);
    } catch (const IconListError& error) {
        description = error.Info().description;
    }
    if (loaded) {
        DeleteFileW(tempFile.c_str());
        RestoreKeys(list, keys);
        return true;
    }
    // The images are only in the file now: it stays, and the user learns where.
    rt::MsgBox(Module1::CarregaMensagem(738, tempFile, description), rt::kMsgOkOnly + rt::kMsgCritical);
    return true;
}

}  // namespace imagelist
