#include "shell/frmCalcula_win.h"

#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "core/Tape.h"
#include "imagelist/MenuIcons_win.h"
#include "runtime/Date.h"
#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Settings_win.h"
#include "startup/frmSysTray_win.h"
#include "tools/frmData_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"
#include "tools/frmRegra_win.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>

namespace {

constexpr wchar_t kApp[] = L"Plumva";
constexpr wchar_t kSection[] = L"Conf";

// The window is 3300 twips wide, 5220 in the large view; everything inside grows in proportion.
constexpr int kWidth = 3300;
constexpr int kLargeWidth = 5220;
constexpr int kClientWidth = 3180;
constexpr int kClientHeight = 5760;

// Our own message: the backup file could not be written, so the tape was kept.
constexpr int kMsgBackupFailed = 901;

// Where each part of the window stands at normal size, in twips of the client area.
struct Place {
    int left, top, width, height;
};
constexpr Place kFita{15, 60, 3180, 2280};  // room for a 26-character line beside the scroll bar
// The counter stands above the display, so that the display and the entry have the whole width: a number of
// 24 digits shows whole in both, in either view.
constexpr Place kItens{15, 2370, 600, 210};
constexpr Place kVisor{15, 2580, 3120, 300};  // its last digit as far in as the entry's
constexpr Place kEntrada{15, 2910, 3180, 330};
constexpr double kNumberFontSize = 9;  // 24 bold digits fit that width in both views
constexpr int kPadTop = 3300;
constexpr int kKeyWidth = 750;
constexpr int kKeyHeight = 420;
constexpr int kKeyStep = 810;   // column pitch
constexpr int kRowStep = 480;   // row pitch

// Column and row of a key on the keypad, and how many rows/columns it spans.
struct KeySlot {
    int column, row, columns = 1, rows = 1;
};

Place KeyPlace(const KeySlot& slot)
{
    return {15 + slot.column * kKeyStep, kPadTop + slot.row * kRowStep,
            kKeyWidth + (slot.columns - 1) * kKeyStep, kKeyHeight + (slot.rows - 1) * kRowStep};
}

// The factor of every size in the large view; 1 in the normal one.
double ViewScale(bool large) { return large ? static_cast<double>(kLargeWidth) / kWidth : 1.0; }

// The keys' caption size in the normal or the large view.
int KeyFontSize(bool large) { return static_cast<int>(std::lround(10 * ViewScale(large))); }

rt::StdFont KeyFont(double size)
{
    rt::StdFont font;
    font.name = L"Tahoma";
    font.size = size;
    font.bold = true;
    return font;
}

std::wstring NowText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d:%02d", now.wHour, now.wMinute);
    return text;
}

}  // namespace

frmCalcula::frmCalcula()
{
    Add(txtFita, {L"txtFita"});
    Add(lblItens, {L"lblItens"});
    Add(lblVisor, {L"lblVisor"});
    Add(txtEntrada, {L"txtEntrada"});
    Add(cmdLimpa, {L"cmdLimpa"});
    Add(chkDivide, {L"chkDivide"});
    Add(chkVezes, {L"chkVezes"});
    Add(chkMenos, {L"chkMenos"});
    Add(chkMais, {L"chkMais"});
    for (int i = 0; i < 10; ++i) Add(cmdTecla[i], {L"cmdTecla", i});
    Add(cmdVirgula, {L"cmdVirgula"});
    Add(chkIgual, {L"chkIgual"});
    Add(Image1, {L"Image1"});
    Add(PopMenu1, {L"PopMenu1"});

    Add(mnuArquivo, {L"mnuArquivo"});
    for (int i = 0; i < 2; ++i) Add(mnuImprimir[i], {L"mnuImprimir", i, &mnuArquivo});
    Add(mnuSalvar, {L"mnuSalvar", {}, &mnuArquivo});
    Add(mnuSep1, {L"mnuSep1", {}, &mnuArquivo});
    Add(mnuLimpar, {L"mnuLimpar", {}, &mnuArquivo});
    Add(mnuBackup, {L"mnuBackup", {}, &mnuArquivo});
    Add(mnuSep2, {L"mnuSep2", {}, &mnuArquivo});
    Add(mnuSair, {L"mnuSair", {}, &mnuArquivo});
    Add(mnuEditar, {L"mnuEditar"});
    Add(mnuDesfazer, {L"mnuDesfazer", {}, &mnuEditar});
    Add(mnuRefazer, {L"mnuRefazer", {}, &mnuEditar});
    Add(mnuColar, {L"mnuColar", {}, &mnuEditar});
    Add(mnuMemoria, {L"mnuMemoria", {}, &mnuEditar});
    for (int i = 0; i < 4; ++i) Add(mnuMem[i], {L"mnuMem", i, &mnuMemoria});
    Add(mnuFerramentas, {L"mnuFerramentas"});
    Add(mnuJuro, {L"mnuJuro", {}, &mnuFerramentas});
    Add(mnuData, {L"mnuData", {}, &mnuFerramentas});
    Add(mnuRegra, {L"mnuRegra", {}, &mnuFerramentas});
    Add(mnuPeso, {L"mnuPeso", {}, &mnuFerramentas});
    Add(mnuTempo, {L"mnuTempo", {}, &mnuFerramentas});
    Add(mnuOpcoes, {L"mnuOpcoes"});
    Add(mnuFormato, {L"mnuFormato", {}, &mnuOpcoes});
    for (int i = 0; i < 11; ++i) Add(mnuNumeral[i], {L"mnuNumeral", i, &mnuFormato});
    Add(mnuGrande, {L"mnuGrande", {}, &mnuOpcoes});
    Add(mnuNumLock, {L"mnuNumLock", {}, &mnuOpcoes});
    Add(mnuVisivel, {L"mnuVisivel", {}, &mnuOpcoes});
    Add(mnuMenuXP, {L"mnuMenuXP", {}, &mnuOpcoes});
    Add(mnuMonitor, {L"mnuMonitor", {}, &mnuOpcoes});
    Add(mnuHotKeys, {L"mnuHotKeys", {}, &mnuOpcoes});
    Add(mnuSom, {L"mnuSom", {}, &mnuOpcoes});
    Add(mnuBandeja, {L"mnuBandeja", {}, &mnuOpcoes});
    Add(mnuAjuda, {L"mnuAjuda"});
    Add(mnuTopicos, {L"mnuTopicos", {}, &mnuAjuda});
    Add(mnuSobre, {L"mnuSobre", {}, &mnuAjuda});

    txtEntrada.Change = [this] { txtEntrada_Change(); };
    txtFita.Change = [this] { txtFita_Change(); };
    for (int i = 0; i < 10; ++i)
        cmdTecla[i].MouseUp = [this, i](int& Button, int, float, float) {
            if (Button == 1) chkOperador_MouseUp(L'0' + i);
        };
    cmdVirgula.MouseUp = [this](int& Button, int, float, float) {
        if (Button == 1) chkOperador_MouseUp(core::Program().SeparadorDecimal);
    };
    cmdLimpa.Click = [this] { LimpaTudo(); };
    chkMais.MouseUp = [this](int& Button, int, float, float) { if (Button == 1) chkOperador_MouseUp(L'+'); };
    chkMenos.MouseUp = [this](int& Button, int, float, float) { if (Button == 1) chkOperador_MouseUp(L'-'); };
    chkVezes.MouseUp = [this](int& Button, int, float, float) { if (Button == 1) chkOperador_MouseUp(L'*'); };
    chkDivide.MouseUp = [this](int& Button, int, float, float) { if (Button == 1) chkOperador_MouseUp(L'/'); };
    chkIgual.MouseUp = [this](int& Button, int, float, float) { if (Button == 1) chkOperador_MouseUp(L'='); };
    // A click inverts a two-state key after MouseUp has acted: show the calculator's state again.
    for (controls::XPButton* key : {&chkMais, &chkMenos, &chkVezes, &chkDivide, &chkIgual})
        key->Click = [this] { ShowPendingOperator(); };

    mnuLimpar.Click = [this] { mnuLimpar_Click(); };
    mnuSair.Click = [this] { mnuSair_Click(); };
    mnuGrande.Click = [this] { mnuGrande_Click(); };
    mnuJuro.Click = [this] { mnuJuro_Click(); };
    mnuData.Click = [this] { mnuData_Click(); };
    mnuPeso.Click = [this] { mnuPeso_Click(); };
    mnuRegra.Click = [this] { mnuRegra_Click(); };
    for (rt::Menu* option : {&mnuBackup, &mnuNumLock, &mnuVisivel, &mnuMenuXP})
        option->Click = [this, option] { mnuOpcao_Click(*option); };
}

namespace {

// The options kept in the settings store, each mirrored by its menu item's check mark.
struct Option {
    rt::Menu frmCalcula::*menu;
    const wchar_t* key;
    bool byDefault;
};
const Option kOptions[] = {
    {&frmCalcula::mnuVisivel, L"Visivel", true}, {&frmCalcula::mnuMenuXP, L"MenuXP", true},
    {&frmCalcula::mnuBackup, L"Backup", false},  {&frmCalcula::mnuNumLock, L"NumLock", false},
    {&frmCalcula::mnuGrande, L"Grande", false},
};

bool Stored(const Option& option)
{
    return rt::GetBoolSetting(kApp, kSection, option.key, option.byDefault);
}

const Option& OptionOf(rt::Menu frmCalcula::*menu)
{
    return *std::find_if(std::begin(kOptions), std::end(kOptions),
                         [menu](const Option& option) { return option.menu == menu; });
}

}  // namespace

void frmCalcula::Design()
{
    SetCaption(L"Plumvane");
    SetBorderStyle(rt::BorderStyle::FixedSingle);
    SetStartUpPosition(rt::StartUpPosition::CenterScreen);
    rt::StdFont formFont;
    formFont.name = L"Tahoma";
    SetFont(formFont);
    SetIcon(rt::LoadIconResource(rt::kIconProgram));
    // The view kept from the last run is read before the controls are designed, not with the other options once
    // the windows are made: laid out again then, every control would be moved and every key drawn anew.
    mnuGrande.SetChecked(Stored(OptionOf(&frmCalcula::mnuGrande)));

    txtFita.SetMultiLine(true);
    txtFita.SetScrollBars(rt::ScrollBars::Vertical);
    txtFita.SetLocked(true);
    txtFita.SetTabStop(false);
    txtFita.SetBackColor(0xFFFFFF);
    txtEntrada.SetLocked(true);
    txtEntrada.SetTabStop(false);
    txtEntrada.SetAlignment(rt::Alignment::Right);
    txtEntrada.SetBackColor(0xFFFFFF);
    txtEntrada.SetText(L"0");
    lblItens.SetCaption(L"000");
    lblVisor.SetAlignment(rt::Alignment::Right);
    lblVisor.SetCaption(L"0");

    const rt::StdFont keyFont = KeyFont(KeyFontSize(mnuGrande.Checked()));
    const auto key = [&keyFont](controls::XPButton& button, std::wstring caption, bool twoState) {
        rt::PropertyBag bag{{L"TX", std::move(caption)}, {L"FONT", keyFont}, {L"FOCUSR", false}, {L"FX", 1}};
        if (twoState) bag.Write(L"CHECK", true);
        button.SetDesignProperties(std::move(bag));
        button.SetTabStop(false);
    };
    for (int i = 0; i < 10; ++i) key(cmdTecla[i], std::wstring(1, L'0' + i), false);
    key(cmdVirgula, std::wstring(1, core::Program().SeparadorDecimal), false);
    key(cmdLimpa, L"C", false);
    key(chkMais, L"+", true);
    key(chkMenos, L"\u2212", true);
    key(chkVezes, L"\u00d7", true);
    key(chkDivide, L"\u00f7", true);
    key(chkIgual, L"=", true);
    Image1.SetDesignProperties(imagelist::MenuIconsDesign());
    Image1.SetVisible(false);
    PopMenu1.SetDesignProperties({
        {L"OfficeXpStyle", true},
        {L"ActiveMenuForeColor", 0},
        {L"InActiveMenuForeColor", 0},
        {L"MenuBackgroundColor", 0xFFFFFF},
        {L"Font", rt::StdFont{.name = L"Tahoma", .size = 8.25}},
    });

    mnuArquivo.SetCaption(L"&File");
    mnuImprimir[0].SetCaption(L"&Print Tape");
    mnuImprimir[1].SetCaption(L"Print Tape to P&ort");
    mnuSalvar.SetCaption(L"&Save Tape As...");
    mnuSep1.SetCaption(L"-");
    mnuLimpar.SetCaption(L"&Clear Tape");
    mnuBackup.SetCaption(L"&Backup When Clean");
    mnuSep2.SetCaption(L"-");
    mnuSair.SetCaption(L"E&xit");
    mnuEditar.SetCaption(L"&Edit");
    mnuDesfazer.SetCaption(L"&Undo");
    mnuRefazer.SetCaption(L"&Redo");
    mnuColar.SetCaption(L"&Paste Number");
    mnuMemoria.SetCaption(L"&Memory");
    const wchar_t* memory[] = {L"M&+", L"M&-", L"Memory &Recall", L"Memory &Clear"};
    for (int i = 0; i < 4; ++i) mnuMem[i].SetCaption(memory[i]);
    mnuFerramentas.SetCaption(L"&Tools");
    mnuJuro.SetCaption(L"&Installments and Interest");
    mnuData.SetCaption(L"&Dates");
    mnuRegra.SetCaption(L"&Rule of Three");
    mnuRegra.SetShortcut(rt::Shortcut{'T', 2});
    mnuPeso.SetCaption(L"Healthy &Weight");
    mnuTempo.SetCaption(L"&Time Mode");
    mnuOpcoes.SetCaption(L"&Options");
    mnuFormato.SetCaption(L"Number &Format");
    const wchar_t* formats[] = {L"0",        L"0.0",       L"0.00",       L"0.000",      L"0.0000", L"#,##0",
                                L"#,##0.00", L"#,##0.000", L"#,##0.0000", L"Scientific", L"General"};
    for (int i = 0; i < 11; ++i) mnuNumeral[i].SetCaption(formats[i]);
    mnuGrande.SetCaption(L"&Large View");
    mnuNumLock.SetCaption(L"NumLock always ON");
    mnuVisivel.SetCaption(L"Always on &Top");
    mnuMenuXP.SetCaption(L"Office XP &Menus");
    mnuMonitor.SetCaption(L"&Clipboard Monitor");
    mnuHotKeys.SetCaption(L"Global &HotKeys");
    mnuSom.SetCaption(L"Key &Sounds");
    mnuBandeja.SetCaption(L"Stay on System Tray when Exit");
    mnuAjuda.SetCaption(L"&Help");
    mnuTopicos.SetCaption(L"&Contents");
    mnuSobre.SetCaption(L"&About Plumvane");

    // Commands for features this program does not have stay in the menu, disabled.
    for (rt::Menu* unavailable :
         {&mnuImprimir[0], &mnuImprimir[1], &mnuSalvar, &mnuDesfazer, &mnuRefazer, &mnuColar, &mnuMemoria,
          &mnuTempo, &mnuFormato, &mnuMonitor, &mnuHotKeys, &mnuSom, &mnuBandeja,
          &mnuTopicos, &mnuSobre})
        unavailable->SetEnabled(false);

    // Placing the controls before their windows exist spares every key a second drawing.
    Layout();
}

void frmCalcula::Form_Load()
{
    auto& program = core::Program();
    calc_.SetSeparator(program.SeparadorDecimal);
    calc_.Clear();
    const bool aux = rt::TheForm<frmSysTray>().Tag() == L"2";
    if (aux) SetCaption(L"Plumvane [Aux]");
    // The view was read and laid out by Design(), in this same load.
    for (const Option& option : kOptions)
        if (option.menu != &frmCalcula::mnuGrande) (this->*option.menu).SetChecked(Stored(option));
    firstActivation_ = true;
    // The control hooked the menu messages only where the menus may be its own (the first copy, the option
    // on, not started "mini"): items converted without it would never be drawn.
    if (PopMenu1.Hooked()) MontaMenus();
    ShowCalculation();
}

namespace {

// The icon of each menu item, by its index in Image1 (resources/icons/MenuIcons.rec.txt draws each for its
// item). The bar draws no icons, so its items get none.
struct MenuIcon {
    const wchar_t* key;
    int index;
};
constexpr MenuIcon kMenuIcons[] = {
    {L"mnuImprimir(0)", 0}, {L"mnuImprimir(1)", 1}, {L"mnuSalvar", 2},    {L"mnuLimpar", 3},
    {L"mnuBackup", 4},      {L"mnuSair", 5},        {L"mnuDesfazer", 6},  {L"mnuRefazer", 7},
    {L"mnuColar", 8},       {L"mnuMemoria", 9},     {L"mnuMem(0)", 10},   {L"mnuMem(1)", 11},
    {L"mnuMem(2)", 12},     {L"mnuMem(3)", 13},     {L"mnuJuro", 14},     {L"mnuData", 15},
    {L"mnuRegra", 16},      {L"mnuPeso", 17},       {L"mnuTempo", 18},    {L"mnuFormato", 19},
    {L"mnuGrande", 20},     {L"mnuNumLock", 21},    {L"mnuVisivel", 22},  {L"mnuMenuXP", 23},
    {L"mnuMonitor", 24},    {L"mnuHotKeys", 25},    {L"mnuSom", 26},      {L"mnuBandeja", 27},
    {L"mnuTopicos", 28},    {L"mnuSobre", 29},
};

}  // namespace

void frmCalcula::MontaMenus()
{
    // Errors resumed: a key that names no item changes nothing. The icons' list is handed over when a menu
    // first opens: made now, it would load the common controls before the window is first seen.
    PopMenu1.SetImageListSource([this] { return static_cast<HIMAGELIST>(Image1); });
    PopMenu1.SubClassMenu(this);
    for (const MenuIcon& icon : kMenuIcons) PopMenu1.SetItemIcon(icon.key, icon.index);
    for (int i = 0; i < 11; ++i) PopMenu1.SetItemRadio(L"mnuNumeral(" + std::to_wstring(i) + L")", 0);
}

void frmCalcula::Form_Activate()
{
    if (core::Program().Fechando) return;
    if (mnuVisivel.Checked())
        SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!firstActivation_) return;
    firstActivation_ = false;
    // The start-up words "juro" and "peso" open their tools once; any other word is only used up.
    const std::wstring word = std::exchange(core::Program().LinhaComando, std::wstring());
    if (word == L"juro") mnuJuro_Click();
    if (word == L"peso") mnuPeso_Click();
}

void frmCalcula::Form_QueryUnload(int& Cancel, int UnloadMode) { core::Program().Fechando = -1; }

void frmCalcula::Form_Unload(int& Cancel)
{
    for (const Option& option : kOptions) SaveOption(this->*option.menu);
    // Closing the calculator ends the program: the tray form's exit closes the tools (their blocks still go
    // onto this tape) and then this window.
    frmSysTray& tray = rt::TheForm<frmSysTray>();
    if (tray.IsLoaded()) tray.Unload();
}

void frmCalcula::SaveOption(const rt::Menu& menu) const
{
    // Only the first copy keeps settings; the tools read them while the program runs, so each is stored
    // when it changes, not only at exit.
    if (rt::TheForm<frmSysTray>().Tag() != L"1") return;
    for (const Option& option : kOptions)
        if (&(this->*option.menu) == &menu) rt::SaveBoolSetting(kApp, kSection, option.key, menu.Checked());
}

void frmCalcula::Form_KeyUp(int& KeyCode, int Shift) { Module1::LigaNumLock(mnuNumLock.Checked()); }

void frmCalcula::Form_KeyPress(int& KeyAscii)
{
    const int key = KeyAscii;
    KeyAscii = 0;  // the keypad handles every character; the boxes never take one themselves
    if (core::Program().Fechando) return;
    totalShown_ = false;
    if (key >= '0' && key <= '9') {
        calc_.TypeDigit(static_cast<wchar_t>(key));
        typing_ = true;
    } else if (key == ',' || key == '.') {
        calc_.TypeSeparator();
        typing_ = true;
    } else if (key == 8) {
        calc_.Backspace();
        typing_ = true;
    } else if (key == '+' || key == '-' || key == '*' || key == '/') {
        AppendToTape(calc_.Operate(static_cast<wchar_t>(key)));
        typing_ = false;
    } else if (key == '=' || key == 13) {
        Totaliza();
        return;
    } else {
        KeyAscii = key;
        return;
    }
    ShowCalculation();
}

void frmCalcula::Totaliza()
{
    const std::wstring block = calc_.Totalize();
    if (block.empty()) return;
    AppendToTape(block);
    if (core::TapeIsClosed(block)) CopyToClipboard(calc_.LastTotalText());
    totalShown_ = core::TapeIsClosed(block);
    typing_ = false;
    ShowCalculation();
}

void frmCalcula::LimpaTudo()
{
    calc_.Clear();
    totalShown_ = false;
    typing_ = false;
    ShowCalculation();
}

void frmCalcula::AppendToTape(const std::wstring& lines)
{
    if (lines.empty()) return;
    // The lines go in at the end of the tape, where the caret then stays: the edit control handles only the
    // new text, and the tape is not scrolled to its start and back.
    txtFita.AppendText(lines);
}

void frmCalcula::ShowCalculation()
{
    settingEntry_ = true;
    txtEntrada.SetText(calc_.Entry());
    settingEntry_ = false;
    // The display follows the number being typed; after an operator, a total or clearing it shows the total.
    lblVisor.SetCaption(typing_ ? calc_.Entry() : calc_.TotalText());
    wchar_t items[8];
    std::swprintf(items, 8, L"%03d", calc_.Items() % 1000);
    lblItens.SetCaption(items);
    ShowPendingOperator();
}

void frmCalcula::ShowPendingOperator()
{
    // The key of the pending operator stays down while a calculation runs, "=" after a total; all are up
    // after clearing.
    const std::wstring& op = calc_.PendingOperator();
    const bool running = calc_.Items() > 0;
    chkMais.SetValue(running && op == L"+");
    chkMenos.SetValue(running && op == L"-");
    chkVezes.SetValue(running && op == L"*");
    chkDivide.SetValue(running && op == L"/");
    chkIgual.SetValue(totalShown_);
}

void frmCalcula::txtEntrada_Change()
{
    // A value written from outside (a tool's result) becomes the entry, ready to be used or replaced.
    if (settingEntry_) return;
    calc_.SetEntry(txtEntrada.Text());
    lblVisor.SetCaption(calc_.Entry());
}

void frmCalcula::txtFita_Change()
{
    // Whoever wrote the tape (a key, a tool's block, clearing), its end is what the user wants to see. A caret
    // already there was left by an append, which scrolled to it.
    const int end = txtFita.TextLength();
    if (txtFita.SelStart() != end) txtFita.SetSelStart(end);
}

void frmCalcula::chkOperador_MouseUp(int keyAscii)
{
    int key = keyAscii;
    Form_KeyPress(key);
}

void frmCalcula::mnuLimpar_Click()
{
    const std::wstring tape = txtFita.Text();
    if (mnuBackup.Checked() && !tape.empty() && !WriteBackup(tape)) {
        rt::MsgBox(Module1::CarregaMensagem(kMsgBackupFailed, rt::AppPath() + L"plumva.txt"), 48);
        return;
    }
    const std::wstring format = core::Program().FormatoData.substr(0, 8);
    txtFita.SetText(core::ClearedTapeHeader(rt::Date::Today().Format(format), NowText()));
    LimpaTudo();
}

bool frmCalcula::WriteBackup(const std::wstring& tape)
{
    const std::wstring path = rt::AppPath() + L"plumva.txt";
    const std::wstring record = core::BackupRecord(rt::Date::Today().Format(core::Program().FormatoData), NowText(),
                                                   tape, core::Program().QuebraDupla);
    const std::string bytes = core::ToUtf8(record);
    // The platform's own calls, each checked and flushed to the disk: the C runtime's close reports success
    // even when its last flush failed on a full disk, which would clear a tape that was never saved.
    const rt::FileHandle file = rt::OwnFile(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        RT_LOG_LAST_ERROR("CreateFileW");
        return false;
    }
    LARGE_INTEGER before{};
    if (!GetFileSizeEx(file.get(), &before)) before.QuadPart = 0;  // a device has no size: nothing to restore
    LARGE_INTEGER end{};
    bool written = SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN) != 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD wrote = 0;
        written = WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    if (written) written = FlushFileBuffers(file.get()) != 0;
    if (written) return true;
    RT_LOG_LAST_ERROR("WriteFile");
    // No partial record: the file goes back to what it held before this attempt.
    if (SetFilePointerEx(file.get(), before, &end, FILE_BEGIN) && end.QuadPart == before.QuadPart)
        SetEndOfFile(file.get());  // fails on a device, which keeps nothing anyway
    return false;
}

void frmCalcula::CopyToClipboard(const std::wstring& text)
{
    if (!OpenClipboard(hWnd())) return;  // another program holds it: the total is on the tape anyway
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void frmCalcula::Foco()
{
    if (!IsLoaded()) return;
    SetForegroundWindow(hWnd());
    SetActiveWindow(hWnd());
    SetFocus(hWnd());
}

void frmCalcula::PreparaFerramenta()
{
    int equals = '=';
    Form_KeyPress(equals);
    chkIgual.SetValue(false);
    LimpaTudo();
}

// The tools' commands.
void frmCalcula::mnuJuro_Click()
{
    PreparaFerramenta();
    rt::TheForm<frmJuro>().Show(rt::ShowMode::Modal, this);
}
void frmCalcula::mnuData_Click()
{
    PreparaFerramenta();
    rt::TheForm<frmData>().Show(rt::ShowMode::Modal, this);
}
void frmCalcula::mnuPeso_Click()
{
    PreparaFerramenta();
    rt::TheForm<frmPeso>().Show(rt::ShowMode::Modal, this);
}
void frmCalcula::mnuRegra_Click() { rt::TheForm<frmRegra>().Show(rt::ShowMode::Modal, this); }

void frmCalcula::mnuOpcao_Click(rt::Menu& menu)
{
    menu.SetChecked(!menu.Checked());
    SaveOption(menu);
    if (&menu == &mnuVisivel)
        SetWindowPos(hWnd(), menu.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (&menu == &mnuNumLock) Module1::LigaNumLock(mnuNumLock.Checked());
}

void frmCalcula::mnuGrande_Click()
{
    mnuGrande.SetChecked(!mnuGrande.Checked());
    SaveOption(mnuGrande);
    Layout();
}

void frmCalcula::mnuSair_Click() { Unload(); }

void frmCalcula::Layout()
{
    const double scale = ViewScale(mnuGrande.Checked());
    const auto scaled = [scale](int twips) { return static_cast<int>(std::lround(twips * scale)); };
    const auto place = [&](rt::Control& control, const Place& p) {
        control.Move(scaled(p.left), scaled(p.top), scaled(p.width), scaled(p.height));
    };
    place(txtFita, kFita);
    place(lblItens, kItens);
    place(lblVisor, kVisor);
    place(txtEntrada, kEntrada);

    rt::StdFont tape;
    tape.name = L"Courier New";
    tape.size = 9 * scale;
    txtFita.SetFont(tape);
    // The box lays its lines out again from the first for a new size or font; the end, where the calculation
    // goes on, stays in view as after every write.
    txtFita.SetSelStart(txtFita.TextLength());
    rt::StdFont display;
    display.name = L"Tahoma";
    display.size = kNumberFontSize * scale;
    display.bold = true;
    lblVisor.SetFont(display);
    txtEntrada.SetFont(display);
    rt::StdFont small;
    small.name = L"Tahoma";
    small.size = 8.25 * scale;
    lblItens.SetFont(small);

    const std::pair<controls::XPButton*, KeySlot> keys[] = {
        {&cmdLimpa, {0, 0}},         {&chkDivide, {1, 0}},  {&chkVezes, {2, 0}},  {&chkMenos, {3, 0}},
        {&cmdTecla[7], {0, 1}},      {&cmdTecla[8], {1, 1}}, {&cmdTecla[9], {2, 1}}, {&chkMais, {3, 1, 1, 2}},
        {&cmdTecla[4], {0, 2}},      {&cmdTecla[5], {1, 2}}, {&cmdTecla[6], {2, 2}},
        {&cmdTecla[1], {0, 3}},      {&cmdTecla[2], {1, 3}}, {&cmdTecla[3], {2, 3}}, {&chkIgual, {3, 3, 1, 2}},
        {&cmdTecla[0], {0, 4, 2, 1}}, {&cmdVirgula, {2, 4}},
    };
    const int fontSize = KeyFontSize(mnuGrande.Checked());
    for (const auto& [button, slot] : keys) {
        place(*button, KeyPlace(slot));
        if (button->FontSize() != fontSize) button->SetFontSize(fontSize);
    }
    SetClientSize(scaled(kClientWidth), scaled(kClientHeight));
    SetWidth(mnuGrande.Checked() ? kLargeWidth : kWidth);
}
