#include "controls/PopMenu_win.h"

#include "controls/MSubclass_win.h"
#include "core/ProgramState.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/ErrorState.h"
#include "runtime/Form_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Menu_win.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "startup/frmSysTray_win.h"

#include <cwchar>

namespace controls {

namespace {

// Menu texts are read through a buffer of 128 characters: longer ones are cut to 127.
constexpr int kTextBuffer = 128;
// Resource bitmaps of the control's own (the program's resources hold none: both stay 0).
constexpr int kBitmapDesign = 48;
constexpr int kBitmapRunning = 49;
constexpr std::int32_t kUnsetLong = -1;

rt::BitmapHandle LoadResourceBitmap(int id)
{
    return rt::BitmapHandle(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
}

MenuId Id(HMENU menu)
{
    return reinterpret_cast<MenuId>(menu);
}

HMENU Handle(MenuId menu)
{
    return reinterpret_cast<HMENU>(menu);
}

std::vector<MenuControlInfo> MenuControlsOf(const rt::Form& form)
{
    std::vector<MenuControlInfo> controls;
    for (const rt::ControlBase* control : form.Controls()) {
        const auto* menu = dynamic_cast<const rt::Menu*>(control);
        if (!menu)
            continue;
        MenuControlInfo info;
        info.sCaption = menu->Caption();
        info.sName = menu->Name();
        info.sTag = menu->Tag();
        info.bIsArray = menu->Index().has_value();
        info.lIndex = menu->Index().value_or(0);
        info.bVisible = menu->Visible();
        controls.push_back(std::move(info));
    }
    return controls;
}

}  // namespace

PopMenu::PopMenu() = default;

PopMenu::~PopMenu()
{
    // Before any member goes: no message of the host may reach a control half destroyed.
    SubclassDetachAll(*this);
    if (form_)
        form_->SetMenuObserver({});
}

HWND PopMenu::HostWindow() const
{
    return Parent() && Ambient().UserMode ? Parent()->hWnd() : nullptr;
}

void PopMenu::Clear()
{
    items_.Clear();
}

void PopMenu::SubClassMenu(rt::Form* oForm, bool bLeaveTopLevelMenus)
{
    // Items converted before keep their records (their menu texts are gone): see ConvertItem.
    const std::vector<MenuItemRecord> before = items_.Records();
    Clear();
    HWND host = HostWindow();
    if (!host)
        return;
    std::vector<MenuControlInfo> controls;
    if (oForm)
        controls = MenuControlsOf(*oForm);
    converting_ = true;
    ConvertMenu(GetMenu(host), 0, bLeaveTopLevelMenus, before);
    converting_ = false;
    if (!controls.empty())
        items_.PairKeys(controls);
    // An MDI frame: the frame menu changes through its client window, which the control hears from now on.
    if (!mdiClient_ && hooked_) {
        mdiClient_ = FindWindowExW(host, nullptr, L"MDIClient", nullptr);
        if (mdiClient_)
            SubclassAttach(*this, mdiClient_, WM_MDISETMENU);
    }
    if (mdiClient_)
        mdiStore_.SetCurrentMenu(Id(GetMenu(host)));
    DrawMenuBar(host);
    if (oForm && oForm != form_) {
        if (form_)
            form_->SetMenuObserver({});
        oForm->SetMenuObserver([this](rt::Menu&) { OnMenuChanged(); });
    }
    form_ = oForm;
    leaveTopLevelMenus_ = bLeaveTopLevelMenus;
}

bool PopMenu::KeepPlain() const
{
    return KeepMenusPlain(rt::TheForm<frmSysTray>().Tag(), rt::GetBoolSetting(L"Plumva", L"Conf", L"MenuXP", true),
                          core::Program().LinhaComando);
}

void PopMenu::UserControl_ReadProperties(const rt::PropertyBag& PropBag)
{
    officeXpStyle_ = PropBag.Read(L"OfficeXpStyle", false);
    activeFore_ = static_cast<rt::OleColor>(PropBag.Read(L"ActiveMenuForeColor", kUnsetLong));
    inactiveFore_ = static_cast<rt::OleColor>(PropBag.Read(L"InActiveMenuForeColor", kUnsetLong));
    menuBack_ = static_cast<rt::OleColor>(PropBag.Read(L"MenuBackgroundColor", kUnsetLong));
    SetBackgroundPicture(PropBag.Read<rt::PicturePtr>(L"BackgroundPicture", nullptr));
    // Without a stored font the control keeps the one it starts with (the main window's Tahoma).
    SetFont(PropBag.Read(L"Font", Font()));

    if (!Ambient().UserMode) {
        LoadResourceBitmaps();
        return;
    }
    RefreshMetrics();
    bitmap49_ = LoadResourceBitmap(kBitmapRunning);
    if (KeepPlain())
        return;
    if (HWND host = HostWindow())
        AttachMessages(host);
    glyphFont_ = rt::CachedFont(MarkFontFor(Font()));
    dottedBrush_.Create();
}

void PopMenu::UserControl_WriteProperties(rt::PropertyBag& PropBag)
{
    PropBag.Write(L"OfficeXpStyle", officeXpStyle_, false);
    PropBag.Write(L"ActiveMenuForeColor", activeFore_, kUnsetLong);
    PropBag.Write(L"InActiveMenuForeColor", inactiveFore_, kUnsetLong);
    PropBag.Write(L"MenuBackgroundColor", menuBack_, kUnsetLong);
    PropBag.Write(L"BackgroundPicture", picture_, rt::PicturePtr());
    PropBag.Write(L"Font", Font(), L"Tahoma");
}

void PopMenu::LoadResourceBitmaps()
{
    if (!measureDc_)
        measureDc_.reset(CreateCompatibleDC(nullptr));
    if (!measureDc_)
        return;
    measureBitmap_.Restore();  // the bitmap before leaves the context before it is deleted
    bitmap48_ = LoadResourceBitmap(kBitmapDesign);
    measureBitmap_.Select(measureDc_.get(), bitmap48_.get());
}

void PopMenu::UserControl_Resize()
{
    const int width = kBoxPixels * rt::Screen::TwipsPerPixelX();
    const int height = kBoxPixels * rt::Screen::TwipsPerPixelY();
    if (Width() != width || Height() != height)
        Move(Left(), Top(), width, height);
}

void PopMenu::UserControl_Terminate()
{
    // The host may live on (the control's window goes first): it keeps working without the control.
    SubclassDetachAll(*this);
    hooked_ = false;
    // The host's menus go with its window: a later load starts unconverted, as the host then decides.
    if (form_)
        form_->SetMenuObserver({});
    form_ = nullptr;
    items_.Clear();
    mdiClient_ = nullptr;
    mdiStore_ = MdiMenuStore();
    ReleaseDrawingObjects();
}

void PopMenu::ReleaseDrawingObjects()
{
    measureFont_.Restore();
    measureBitmap_.Restore();
    measureDc_.reset();
    metricsRead_ = false;
    metrics_.ClearUp();
    surface_ = cMemDC();
    dottedBrush_.Destroy();
    glyphFont_ = nullptr;
    bitmap48_.reset();
    bitmap49_.reset();
}

bool PopMenu::HoldsDrawingObjects() const
{
    return measureDc_ || glyphFont_ || surface_.hdc() || dottedBrush_.Handle() || metrics_.HoldsFonts();
}

void PopMenu::OnMenuChanged()
{
    // A menu control changed its item (text, visibility, state): convert again, keeping every record.
    if (!converting_ && form_ && items_.Count() > 0)
        SubClassMenu(form_, leaveTopLevelMenus_);
}

void PopMenu::ConvertMenu(HMENU menu, MenuId parent, bool leaveTopLevelMenus, const std::vector<MenuItemRecord>& before)
{
    if (!menu)
        return;
    const int count = GetMenuItemCount(menu);
    for (int p = 1; p <= count; ++p) {
        ConvertItem(menu, p, parent, leaveTopLevelMenus, before);
        if (HMENU popup = GetSubMenu(menu, p - 1))
            ConvertMenu(popup, Id(popup), leaveTopLevelMenus, before);
    }
}

void PopMenu::ConvertItem(HMENU menu, int position, MenuId parent, bool leaveTopLevelMenus,
                          const std::vector<MenuItemRecord>& before)
{
    wchar_t text[kTextBuffer] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kTextBuffer;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position - 1), TRUE, &info)) {
        RT_LOG_LAST_ERROR("GetMenuItemInfoW");
        return;
    }
    const std::wstring menuText(text, wcsnlen(text, kTextBuffer - 1));
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;

    MenuItemRecord record;
    const size_t previous = info.dwItemData;
    if ((info.fType & MFT_OWNERDRAW) && previous >= 1 && previous <= before.size() &&
        before[previous - 1].lId == info.wID) {
        record = before[previous - 1];
        if (!menuText.empty() || separator)
            SetItemCaption(record, menuText, separator);
    } else {
        SetItemCaption(record, menuText, separator);
    }
    record.bOwnerDraw = true;
    record.bChecked = (info.fState & MFS_CHECKED) != 0;
    record.bEnabled = (info.fState & kStateGrayed) != kStateGrayed;
    record.hMenu = Id(menu);
    record.lId = info.wID;
    record.hParentMenu = parent;
    const int number = items_.Append(std::move(record));

    if (parent == 0 && leaveTopLevelMenus)
        return;
    // Owner-drawn from now on, and without its text: with the text kept the system would answer the item's
    // access key itself instead of asking the host.
    MENUITEMINFOW write{};
    write.cbSize = sizeof write;
    write.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    write.fType = OwnerDrawType(items_[number]);
    write.dwItemData = static_cast<ULONG_PTR>(number);
    write.dwTypeData = nullptr;
    if (!SetMenuItemInfoW(menu, static_cast<UINT>(position - 1), TRUE, &write))
        RT_LOG_LAST_ERROR("SetMenuItemInfoW");
}

int PopMenu::MenuIndex(const MenuKey& vKey)
{
    const int index = items_.FindItemIndex(vKey);
    if (index < 0)
        rt::Err().Raise(rt::kErrSubscriptOutOfRange, rt::ExeName() + L".cPopMenu");
    return index;
}

bool PopMenu::MenuDefault(const MenuKey& vKey)
{
    const int n = MenuIndex(vKey);
    return items_.Has(n) && items_[n].bDefault;
}

void PopMenu::SetMenuDefault(const MenuKey& vKey, bool bState)
{
    if (const int n = MenuIndex(vKey); items_.Has(n))
        items_[n].bDefault = bState;
}

bool PopMenu::Enabled(const MenuKey& vKey)
{
    const int n = MenuIndex(vKey);
    if (!items_.Has(n))
        return false;
    MenuItemRecord& item = items_[n];
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfoW(Handle(item.hMenu), item.lId, FALSE, &info))
        item.bEnabled = (info.fState & kStateGrayed) != kStateGrayed;
    return item.bEnabled;
}

void PopMenu::SetEnabled(const MenuKey& vKey, bool bEnabled)
{
    const int n = MenuIndex(vKey);
    if (!items_.Has(n))
        return;
    MenuItemRecord& item = items_[n];
    item.bEnabled = bEnabled;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(Handle(item.hMenu), item.lId, FALSE, &info))
        return;
    info.fState = bEnabled ? info.fState & ~kStateGrayed : info.fState | kStateGrayed;
    if (!SetMenuItemInfoW(Handle(item.hMenu), item.lId, FALSE, &info))
        RT_LOG_LAST_ERROR("SetMenuItemInfoW");
}

int PopMenu::ItemIcon(const MenuKey& vKey)
{
    if (vKey.IsZero())
        return 0;
    const int n = MenuIndex(vKey);
    return items_.Has(n) ? items_[n].lIconIndex : 0;
}

void PopMenu::SetItemIcon(const MenuKey& vKey, int lIconIndex)
{
    if (const int n = MenuIndex(vKey); items_.Has(n))
        items_[n].lIconIndex = lIconIndex;
}

int PopMenu::ItemRadio(const MenuKey& vKey)
{
    if (vKey.IsZero())
        return 0;
    const int n = MenuIndex(vKey);
    return items_.Has(n) && items_[n].bRadio ? -1 : 0;
}

void PopMenu::SetItemRadio(const MenuKey& vKey, int)
{
    // Any value marks a radio item (the main window assigns 0).
    if (const int n = MenuIndex(vKey); items_.Has(n))
        items_[n].bRadio = true;
}

long PopMenu::ReplaceItem(const MenuKey& vKey, const ReplaceItemArgs& args)
{
    const int n = MenuIndex(vKey);
    if (n < 1)
        return 0;
    MenuItemRecord& item = items_[n];
    if (args.sCaption)
        SetItemCaption(item, *args.sCaption, *args.sCaption == L"-");
    if (args.sHelptext)
        item.sHelptext = *args.sHelptext;
    if (args.lItemData)
        item.lItemData = *args.lItemData;
    if (args.lIconIndex)
        item.lIconIndex = *args.lIconIndex;
    if (args.bChecked)
        item.bChecked = *args.bChecked;
    if (args.bEnabled)
        item.bEnabled = *args.bEnabled;

    HMENU menu = Handle(item.hMenu);
    const int count = GetMenuItemCount(menu);
    int position = -1;
    for (int p = 0; p < count; ++p) {
        MENUITEMINFOW id{};
        id.cbSize = sizeof id;
        id.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &id) && id.wID == item.lId)
            position = p;
    }
    if (position < 0)
        return 0;

    // The item goes out and back in at the same place, so that the system measures it again; its text comes
    // along (an item left plain would otherwise lose its caption).
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return 0;
    std::wstring text(info.cch + 1, L'\0');
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return 0;
    if (info.cch == 0)
        info.fMask &= ~MIIM_STRING;
    if (!RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION)) {
        RT_LOG_LAST_ERROR("RemoveMenu");
        return 0;
    }
    if (!InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info))
        RT_LOG_LAST_ERROR("InsertMenuItemW");
    if (HWND host = HostWindow(); host && menu == GetMenu(host))
        DrawMenuBar(host);
    return 0;
}

}  // namespace controls
