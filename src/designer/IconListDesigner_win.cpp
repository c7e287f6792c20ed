#include "designer/IconListDesigner_win.h"

#include "core/Module1_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/PropertySetStore_win.h"

#include <windows.h>

namespace designer {

IconListDesigner::IconListDesigner()
{
    AddPages({&ppgControl1, &ppgImages1});
    Add(Image1, {L"Image1"});
    Image1.SetAmbientUserMode(false);
    SetSelection({&Image1});
}

bool IconListDesigner::Open(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    const std::wstring fullPath = length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
    std::optional<rt::PropertyBag> design;
    if (GetFileAttributesW(fullPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        auto read = rt::ReadPropertySetFile(fullPath);
        if (auto* reason = std::get_if<std::wstring>(&read)) {
            rt::MsgBox(Module1::CarregaMensagem(741, fullPath, *reason), rt::kMsgOkOnly + rt::kMsgCritical);
            return false;
        }
        design = std::move(std::get<rt::PropertyBag>(read));
    }
    path_ = fullPath;
    design_ = std::move(design);
    return true;
}

void IconListDesigner::Design()
{
    DesignSheet::Design();
    const std::wstring name = path_.substr(path_.find_last_of(L"\\/") + 1);
    SetCaption(L"Image1 Properties - " + name);
    // The control's own design look, beside the buttons.
    Image1.Move(120, cmdOK.Top() - 83, 540, 540);
    Image1.SetToolTipText(name);
    if (design_)
        Image1.SetDesignProperties(*design_);
}

bool IconListDesigner::SaveChanges(bool pagesApplied)
{
    if (!pagesApplied && Image1.PropertyChanges().empty())
        return true;
    rt::PropertyBag bag = Image1.SaveProperties();
    if (auto failure = rt::WritePropertySetFile(path_, bag)) {
        rt::MsgBox(Module1::CarregaMensagem(742, path_, *failure), rt::kMsgOkOnly + rt::kMsgCritical);
        return false;
    }
    design_ = std::move(bag);
    Image1.ClearPropertyChanges();
    return true;
}

}  // namespace designer
