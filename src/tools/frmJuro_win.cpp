#include "tools/frmJuro_win.h"

#include "core/Calculation.h"
#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/Date.h"
#include "runtime/InputBox_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/NumberText.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "tools/Savings.h"

#include <windows.h>

namespace {

constexpr rt::OleColor kWhite = 0xFFFFFF;
constexpr rt::OleColor kBlack = 0x000000;
constexpr rt::OleColor kLightYellow = 0xC0FFFF;
constexpr rt::OleColor kDarkBlue = 0xC00000;
constexpr rt::OleColor kLightCyan = 0xFFFFC0;
constexpr rt::OleColor kFixedPanel = 0xF4E8DC;    // pale blue behind the fixed-installment fields
constexpr rt::OleColor kCapitalPanel = 0xDCF0E8;  // pale green behind the savings and cash-check buttons

// Tape longer than this is offered for clearing before a block is appended.
constexpr int kFullTape = 21000;
// The searched field is shown again at most once per screen frame; the search reads the text it writes, not
// the screen.
constexpr ULONGLONG kFrameMs = 16;

// Messages of the message table.
constexpr int kMsgTapeFull = 4;
constexpr int kMsgHelp = 21;
constexpr int kMsgNoInitialValue = 22;
constexpr int kMsgCount = 23;
constexpr int kMsgDays = 24;
constexpr int kMsgRateOrInstallment = 25;
constexpr int kMsgInstallmentTooHigh = 26;
constexpr int kMsgNoRate = 27;
constexpr int kMsgCalculationError = 28;
constexpr int kMsgSavingsResult = 29;
constexpr int kMsgInvalidData = 30;
constexpr int kMsgCashCheckResult = 31;
constexpr int kMsgSavingsValue = 59;
constexpr int kMsgSavingsTitle = 60;
constexpr int kMsgRate = 61;
constexpr int kMsgInitialDate = 62;
constexpr int kMsgFinalDateOrDays = 63;
constexpr int kMsgCheckValue = 64;
constexpr int kMsgCashCheckTitle = 65;
constexpr int kMsgInCash = 150;

std::wstring Message(int n, std::wstring_view first = {})
{
    return Module1::CarregaMensagem(n, first);
}

rt::StdFont Tahoma(double size, bool bold)
{
    rt::StdFont font;
    font.name = L"Tahoma";
    font.size = size;
    font.bold = bold;
    return font;
}

bool IsSeparatorKey(int key)
{
    return key == ',' || key == '.';
}

// A value holds one decimal separator: a second one typed is dropped.
void DropSecondSeparator(const rt::TextBox& box, int& keyAscii)
{
    if (IsSeparatorKey(keyAscii) && box.Text().find(core::Program().SeparadorDecimal) != std::wstring::npos)
        keyAscii = 0;
}

// Selects the first `length` characters, as entering each field does.
void SelectFromStart(rt::TextBox& field, int length)
{
    field.SetSelStart(0);
    field.SetSelLength(length);
}

}  // namespace

// Yields to the message loop at every step of a search, shows the searched field now and then, and stops the
// search once the window is closing.
class frmJuro::FieldObserver : public tools::SearchObserver {
public:
    FieldObserver(frmJuro& form, rt::TextBox* field) : form_(form), field_(field) {}

    bool Step(const std::wstring& fieldText) override
    {
        if (field_) {
            const ULONGLONG now = GetTickCount64();
            if (now - shownAt_ >= kFrameMs) {
                field_->SetText(fieldText);
                shownAt_ = now;
            }
        }
        rt::DoEvents();
        return !form_.closing_ && form_.IsLoaded();
    }

private:
    frmJuro& form_;
    rt::TextBox* field_;
    ULONGLONG shownAt_ = 0;
};

frmJuro::frmJuro()
{
    // Design order is stacking order: the panels first, under everything else.
    Add(lblFixas, {L"lblFixas"});
    Add(lblCapit, {L"lblCapit"});
    Add(lblAgiota, {L"lblAgiota"});
    Add(Image1, {L"Image1"});
    for (int i = 0; i < static_cast<int>(lbl1.size()); ++i)
        Add(lbl1[i], {L"lbl1", i});
    Add(lbl2, {L"lbl2"});
    Add(cmdAjuda, {L"cmdAjuda"});
    Add(txtValVista, {L"txtValVista"});
    Add(txtValPrest, {L"txtValPrest"});
    Add(txtParcelas, {L"txtParcelas"});
    Add(cmdCalcular, {L"cmdCalcular"});
    Add(txtDias, {L"txtDias"});
    Add(chkVista, {L"chkVista"});
    Add(txtJuroAp, {L"txtJuroAp"});
    Add(txtJuroTot, {L"txtJuroTot"});
    Add(txtValFinal, {L"txtValFinal"});
    Add(cmdDescontar, {L"cmdDescontar"});
    Add(cmdCapitalizar, {L"cmdCapitalizar"});

    cmdAjuda.Click = [this] { cmdAjuda_Click(); };
    cmdCalcular.Click = [this] { cmdCalcular_Click(); };
    cmdCapitalizar.Click = [this] { cmdCapitalizar_Click(); };
    cmdDescontar.Click = [this] { cmdDescontar_Click(); };
    txtValVista.Change = [this] { txtValVista_Change(); };
    txtValVista.GotFocus = [this] { txtValVista_GotFocus(); };
    txtValVista.KeyPress = [this](int& KeyAscii) { txtValVista_KeyPress(KeyAscii); };
    txtValVista.LostFocus = [this] { txtValVista_LostFocus(); };
    txtValPrest.Change = [this] { txtValPrest_Change(); };
    txtValPrest.GotFocus = [this] { txtValPrest_GotFocus(); };
    txtValPrest.KeyPress = [this](int& KeyAscii) { txtValPrest_KeyPress(KeyAscii); };
    txtValPrest.LostFocus = [this] { txtValPrest_LostFocus(); };
    txtParcelas.Change = [this] { txtParcelas_Change(); };
    txtParcelas.GotFocus = [this] { txtParcelas_GotFocus(); };
    txtParcelas.KeyPress = [this](int& KeyAscii) { txtParcelas_KeyPress(KeyAscii); };
    txtDias.Change = [this] { txtDias_Change(); };
    txtDias.GotFocus = [this] { txtDias_GotFocus(); };
    txtDias.KeyPress = [this](int& KeyAscii) { txtDias_KeyPress(KeyAscii); };
    txtJuroAp.Change = [this] { txtJuroAp_Change(); };
    txtJuroAp.GotFocus = [this] { txtJuroAp_GotFocus(); };
    txtJuroAp.KeyPress = [this](int& KeyAscii) { txtJuroAp_KeyPress(KeyAscii); };
    txtValFinal.Change = [this] { txtValFinal_Change(); };
    chkVista.Click = [this] { chkVista_Click(); };
}

void frmJuro::Design()
{
    SetBorderStyle(rt::BorderStyle::FixedDialog);
    SetStartUpPosition(rt::StartUpPosition::CenterScreen);
    SetClientSize(4260, 5460);
    const rt::StdFont font = Tahoma(8.25, false);
    const rt::StdFont bold = Tahoma(8.25, true);
    SetFont(font);

    lblFixas.Move(30, 660, 4140, 3465);
    lblCapit.Move(30, 4290, 4155, 1035);
    lblCapit.SetAlignment(rt::Alignment::Center);
    lblAgiota.Move(630, 120, 3555, 525);
    for (rt::Label* panel : {&lblFixas, &lblCapit, &lblAgiota})
        panel->SetFont(bold);
    lblFixas.SetBackColor(kFixedPanel);
    lblCapit.SetBackColor(kCapitalPanel);
    Image1.Move(120, 120, 480, 480);
    Image1.SetPicture(rt::LoadIconResource(rt::kIconProgram));

    // Field captions to the left of their fields, "DAYS or" between the days and the in-cash box.
    const int captionTops[] = {1095, 1485, 1875, 2505, 2535, 2955, 3345, 3735};
    for (int i = 0; i < static_cast<int>(lbl1.size()); ++i) {
        lbl1[i].Move(90, captionTops[i], 1965, 255);  // up to the fields: the longest caption on one line
        lbl1[i].SetAlignment(rt::Alignment::Right);
        lbl1[i].SetBackColor(kFixedPanel);
    }
    lbl1[4].Move(2610, captionTops[4], 700, 255);
    lbl1[4].SetAlignment(rt::Alignment::Left);
    lbl2.Move(3330, 2970, 780, 255);
    lbl2.SetBackColor(kFixedPanel);

    const auto button = [&](controls::XPButton& b, int left, int top, int width, int height) {
        b.Move(left, top, width, height);
        b.SetDesignProperties({{L"FONT", font}, {L"FX", 1}});
    };
    button(cmdAjuda, 3180, 720, 825, 315);
    button(cmdCalcular, 2880, 1830, 1125, 345);
    button(cmdDescontar, 150, 4830, 1875, 375);
    button(cmdCapitalizar, 2190, 4830, 1875, 375);

    const rt::StdFont fieldFont = Tahoma(9.75, true);
    const auto field = [&](rt::TextBox& box, int left, int top, int width, int maxLength, rt::Alignment alignment,
                           rt::OleColor back, rt::OleColor fore) {
        box.Move(left, top, width, 345);
        box.SetFont(fieldFont);
        box.SetMaxLength(maxLength);
        box.SetAlignment(alignment);
        box.SetBackColor(back);
        box.SetForeColor(fore);
    };
    field(txtValVista, 2070, 1050, 1932, 20, rt::Alignment::Right, kWhite, kBlack);
    field(txtValPrest, 2070, 1440, 1932, 20, rt::Alignment::Right, kLightYellow, kDarkBlue);
    field(txtParcelas, 2070, 1830, 495, 3, rt::Alignment::Center, kWhite, kBlack);
    field(txtDias, 2070, 2460, 495, 2, rt::Alignment::Center, kWhite, kBlack);
    field(txtJuroAp, 2070, 2910, 1215, 0, rt::Alignment::Center, kLightYellow, kDarkBlue);
    field(txtJuroTot, 2070, 3300, 1932, 0, rt::Alignment::Right, kLightCyan, kBlack);
    field(txtValFinal, 2070, 3690, 1932, 0, rt::Alignment::Right, kLightCyan, kBlack);
    txtDias.SetText(L"30");
    for (rt::TextBox* result : {&txtJuroTot, &txtValFinal}) {
        result->SetLocked(true);
        result->SetTabStop(false);
    }
    chkVista.Move(3330, 2490, 840, 345);
    chkVista.SetBackColor(kFixedPanel);

    // Tab order: the inputs in their order, each caption just before its field (so its access key reaches the
    // field), then the buttons.
    rt::Control* order[] = {&lbl1[0],     &txtValVista,    &lbl1[1],      &txtValPrest, &lbl1[2], &txtParcelas,
                            &lbl1[3],     &lbl1[4],        &txtDias,      &chkVista,    &lbl1[5], &txtJuroAp,
                            &cmdCalcular, &cmdCapitalizar, &cmdDescontar, &cmdAjuda,    &lbl1[6], &lbl1[7]};
    for (int i = 0; i < static_cast<int>(std::size(order)); ++i)
        order[i]->SetTabIndex(i);
}

void frmJuro::Form_Load()
{
    searching_ = false;
    closing_ = false;
    chkVista.SetMouseIcon(rt::LoadCursorResource(rt::kCursorHand));
    chkVista.SetMousePointer(rt::kPointerCustom);
    // The count's box is three digits wide: the margins the edit control derives from the font would scroll the
    // first digit of "250" out of sight.
    SendMessageW(txtParcelas.hWnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    lblAgiota.SetCaption(Message(137));
    lblCapit.SetCaption(Message(138));
    lblFixas.SetCaption(Message(139));
    cmdAjuda.SetCaption(Message(125));
    SetCaption(Message(140));
    for (int i = 0; i < static_cast<int>(lbl1.size()); ++i)
        lbl1[i].SetCaption(Message(141 + i));
    lbl2.SetCaption(Message(149));
    std::wstring inCash = Message(kMsgInCash);
    inCash.erase(0, inCash.find_first_not_of(L' '));
    inCash.erase(inCash.find_last_not_of(L' ') + 1);
    chkVista.SetCaption(inCash);
    cmdCalcular.SetCaption(Message(151));
    cmdDescontar.SetCaption(Message(152));
    cmdCapitalizar.SetCaption(Message(153));
}

void frmJuro::Form_Activate()
{
    // A failure leaves the window where it is in the z-order, which only makes it easier to cover.
    if (rt::GetBoolSetting(L"Plumva", L"Conf", L"Visivel", true))
        SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    txtValVista.SetFocus();
}

void frmJuro::Form_Deactivate()
{
    Unload();
}

void frmJuro::Form_KeyPress(int& KeyAscii)
{
    if (searching_) {
        // The search reads the fields it started from: typing would not reach it, so nothing is typed. Esc
        // still closes the window, which stops the search.
        if (KeyAscii == 27)
            Unload();
        KeyAscii = 0;
        return;
    }
    if (IsSeparatorKey(KeyAscii)) {
        KeyAscii = core::Program().SeparadorDecimal;
    } else if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8) {
        // passes
    } else if (KeyAscii == 27) {
        KeyAscii = 0;
        Unload();
    } else if (KeyAscii == 13) {
        rt::SendKeys(L"{TAB}");  // a key text it always takes
        rt::DoEvents();
    } else {
        KeyAscii = 0;
    }
}

void frmJuro::Form_KeyUp(int& KeyCode, int Shift)
{
    Module1::LigaNumLock(rt::TheForm<frmCalcula>().mnuNumLock.Checked());
    if (KeyCode == VK_F1)
        cmdAjuda_Click();
}

void frmJuro::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    closing_ = true;  // a search waiting in the message loop ends without touching the window
    if (cmdCalcular.Tag().empty())
        return;
    const rt::Result<std::wstring> block =
        tools::ScheduleBlock(Fields(), txtJuroTot.Text(), txtValFinal.Text(), Headings());
    if (!block)
        return;  // the fields computed it a moment ago; a block that cannot be built is not written half
    HandOver(*block);
    rt::TheForm<frmCalcula>().txtEntrada.SetText(txtValFinal.Text());
}

void frmJuro::Form_Unload(int& Cancel)
{
    if (!core::Program().Fechando)
        rt::TheForm<frmCalcula>().Foco();
}

void frmJuro::cmdAjuda_Click()
{
    rt::MsgBox(Message(kMsgHelp), rt::kMsgInformation, Caption());
}

void frmJuro::Refuse(int message, rt::TextBox& field)
{
    rt::MsgBox(Message(message), rt::kMsgExclamation, Caption());
    field.SetFocus();
}

void frmJuro::cmdCalcular_Click()
{
    if (txtValPrest.Tag() == L"1" || searching_)
        return;  // a calculation is running
    if (tools::InitialValueMissing(txtValVista.Text())) {
        Refuse(kMsgNoInitialValue, txtValVista);
        return;
    }
    if (tools::CountRefused(txtParcelas.Text())) {
        Refuse(kMsgCount, txtParcelas);
        return;
    }
    txtValVista.SetText(Module1::FormataValor(txtValVista.Text()));
    txtValPrest.SetText(Module1::FormataValor(txtValPrest.Text()));
    if (txtJuroAp.Text().find(core::Program().SeparadorDecimal) != std::wstring::npos)
        txtJuroAp.SetText(tools::RateWithDecimals(txtJuroAp.Text()));
    if (!rt::IsNumeric(txtDias.Text())) {
        Refuse(kMsgDays, txtDias);
        return;
    }
    txtDias.SetText(tools::DaysWithTwoDigits(txtDias.Text()));
    if (tools::MoneyReading(txtValPrest.Text()) == 0 && tools::MoneyReading(txtJuroAp.Text()) == 0) {
        Refuse(kMsgRateOrInstallment, txtValPrest);
        return;
    }
    txtValPrest.SetTag(L"1");
    cmdCalcular.SetTag(L"");  // the search's first write empties it too; a search cut short leaves nothing to hand over
    if (tools::MoneyReading(txtValPrest.Text()) > 0)
        RunRateSearch();
    else
        RunInstallmentSearch();
}

void frmJuro::RunRateSearch()
{
    const rt::Result<bool> tooHigh = tools::InstallmentNotBelowValue(txtValVista.Text(), txtValPrest.Text());
    if (!tooHigh) {
        Fail();
        return;
    }
    if (*tooHigh && txtParcelas.Text() != L"1") {
        rt::MsgBox(Message(kMsgInstallmentTooHigh), rt::kMsgExclamation, Caption());
        txtValPrest.SetTag(L"");
        txtValPrest.SetFocus();
        return;
    }
    txtValFinal.SetText(tools::FinalAmount(txtParcelas.Text(), txtValPrest.Text()));
    txtJuroAp.SetText(tools::kRateSearchStart);
    rt::Screen::SetMousePointer(rt::kPointerHourglass);
    FieldObserver observer(*this, &txtJuroAp);
    const tools::LoanFields inputs = Fields();
    searching_ = true;
    const tools::SearchOutcome outcome = tools::SearchRate(inputs, observer);
    searching_ = false;
    if (outcome.end == tools::SearchEnd::Cancelled) {
        rt::Screen::SetMousePointer(rt::kPointerDefault);
        return;
    }
    if (InputsChanged(inputs, &tools::LoanFields::rate)) {
        DropResult(txtJuroAp);
        return;
    }
    if (outcome.end == tools::SearchEnd::Failed) {
        Fail();
        return;
    }
    txtJuroAp.SetText(outcome.text);
    rt::Screen::SetMousePointer(rt::kPointerDefault);
    cmdCalcular.SetFocus();
    cmdCalcular.SetTag(L"ok");
    txtValPrest.SetTag(L"");
}

void frmJuro::RunInstallmentSearch()
{
    if (!rt::IsNumeric(txtJuroAp.Text())) {
        rt::MsgBox(Message(kMsgNoRate), rt::kMsgExclamation, Caption());
        rt::Screen::SetMousePointer(rt::kPointerDefault);
        txtValPrest.SetTag(L"");
        txtJuroAp.SetFocus();
        return;
    }
    txtValPrest.SetText(tools::FirstInstallmentGuess(txtValVista.Text(), txtParcelas.Text()));
    rt::Screen::SetMousePointer(rt::kPointerHourglass);
    FieldObserver observer(*this, &txtValPrest);
    const tools::LoanFields inputs = Fields();
    searching_ = true;
    const tools::SearchOutcome outcome = tools::SearchInstallment(inputs, observer);
    searching_ = false;
    if (outcome.end == tools::SearchEnd::Cancelled) {
        rt::Screen::SetMousePointer(rt::kPointerDefault);
        return;
    }
    if (InputsChanged(inputs, &tools::LoanFields::installment)) {
        DropResult(txtValPrest);
        return;
    }
    if (outcome.end == tools::SearchEnd::Failed) {
        Fail();
        return;
    }
    txtValPrest.SetText(Module1::FormataValor(outcome.text));
    txtValFinal.SetText(tools::FinalAmount(txtParcelas.Text(), txtValPrest.Text()));
    rt::Screen::SetMousePointer(rt::kPointerDefault);
    cmdCalcular.SetFocus();
    cmdCalcular.SetTag(L"ok");
    txtValPrest.SetTag(L"");
}

bool frmJuro::InputsChanged(const tools::LoanFields& started, std::wstring tools::LoanFields::*searched) const
{
    tools::LoanFields now = Fields();
    now.*searched = started.*searched;
    return now != started;
}

void frmJuro::DropResult(rt::TextBox& searched)
{
    searched.SetText(L"");
    rt::Screen::SetMousePointer(rt::kPointerDefault);
    txtValPrest.SetTag(L"");
    cmdCalcular.SetTag(L"");
}

void frmJuro::Fail()
{
    txtJuroAp.SetText(L"Erro");
    txtValPrest.SetText(L"Erro");
    rt::MsgBox(Message(kMsgCalculationError), rt::kMsgCritical, Caption());
    rt::Screen::SetMousePointer(rt::kPointerDefault);
    txtValPrest.SetTag(L"");
}

void frmJuro::InvalidData()
{
    rt::MsgBox(Message(kMsgInvalidData), rt::kMsgCritical, Caption());
}

std::optional<frmJuro::CapitalInputs> frmJuro::AskCapitalInputs(int titleMessage, int firstMessage, int maxDays)
{
    const std::wstring title = Message(titleMessage);
    CapitalInputs inputs;
    const std::optional<std::wstring> value = tools::PositiveAmount(rt::InputBox(Message(firstMessage), title, L"0"));
    if (!value)
        return std::nullopt;
    inputs.value = *value;
    const std::optional<std::wstring> rate = tools::PositiveAmount(rt::InputBox(Message(kMsgRate), title, L"0"));
    if (!rate)
        return std::nullopt;
    inputs.rate = *rate;
    const std::wstring today = rt::Date::Today().Format(core::Program().FormatoData);
    inputs.initialDate = rt::InputBox(Message(kMsgInitialDate), title, today);
    const rt::Result<rt::Date> start = rt::Date::Parse(inputs.initialDate);
    if (!start)
        return std::nullopt;
    const std::wstring answer = rt::InputBox(Message(kMsgFinalDateOrDays, std::to_wstring(maxDays)), title);
    inputs.days = tools::DaysFromAnswer(answer, *start);
    if (!tools::DaysInRange(inputs.days, maxDays))
        return std::nullopt;
    return inputs;
}

void frmJuro::cmdCapitalizar_Click()
{
    if (searching_)
        return;
    const std::optional<CapitalInputs> in =
        AskCapitalInputs(kMsgSavingsTitle, kMsgSavingsValue, tools::kSavingsMaxDays);
    if (!in) {
        InvalidData();
        return;
    }
    const rt::Result<std::wstring> amount = tools::CalculaCapital(in->value, in->rate, in->days);
    const std::wstring shownValue = Module1::FormataValor(in->value);
    // The block is built before anything is shown, so that an amount that cannot be written is refused whole.
    if (!amount || !tools::CapitalBlock(shownValue, in->rate, in->days, *amount, in->initialDate,
                                        core::Program().FormatoData, Headings())) {
        InvalidData();
        return;
    }
    rt::MsgBox(Message(kMsgSavingsResult, *amount), rt::kMsgInformation, Caption());
    GravaFitaJuro(shownValue, in->rate, in->days, *amount, in->initialDate);
    rt::TheForm<frmCalcula>().txtEntrada.SetText(*amount);
}

void frmJuro::cmdDescontar_Click()
{
    if (searching_)
        return;
    const std::optional<CapitalInputs> in =
        AskCapitalInputs(kMsgCashCheckTitle, kMsgCheckValue, tools::kCashCheckMaxDays);
    if (!in) {
        InvalidData();
        return;
    }
    FieldObserver observer(*this, nullptr);
    searching_ = true;
    const tools::CashCheckOutcome outcome = tools::SearchCashCheck(in->value, in->rate, in->days, observer);
    searching_ = false;
    if (outcome.end == tools::SearchEnd::Cancelled)
        return;
    const std::wstring shownCheck = Module1::FormataValor(in->value);
    if (outcome.end != tools::SearchEnd::Found ||
        !tools::CapitalBlock(outcome.net, in->rate, in->days, shownCheck, in->initialDate, core::Program().FormatoData,
                             Headings())) {
        InvalidData();
        return;
    }
    rt::MsgBox(Message(kMsgCashCheckResult, outcome.net), rt::kMsgInformation, Caption());
    GravaFitaJuro(outcome.net, in->rate, in->days, shownCheck, in->initialDate);
    rt::TheForm<frmCalcula>().txtEntrada.SetText(outcome.net);
}

void frmJuro::GravaFitaJuro(const std::wstring& value, const std::wstring& rate, const std::wstring& days,
                            const std::wstring& finalAmount, const std::wstring& initialDate)
{
    const rt::Result<std::wstring> block =
        tools::CapitalBlock(value, rate, days, finalAmount, initialDate, core::Program().FormatoData, Headings());
    if (block)
        HandOver(*block);
    Unload();
}

void frmJuro::HandOver(const std::wstring& block)
{
    frmCalcula& calculator = rt::TheForm<frmCalcula>();
    calculator.SetOperadorPendente(L"T");  // no operator: the tape's change handling does no arithmetic
    calculator.txtEntrada.SetText(L"0");
    if (!core::TapeIsClosed(calculator.txtFita.Text())) {
        int equals = '=';
        calculator.Form_KeyPress(equals);
    }
    calculator.chkIgual.SetValue(false);
    if (calculator.txtFita.TextLength() > kFullTape &&
        rt::MsgBox(Message(kMsgTapeFull), rt::kMsgYesNo | rt::kMsgQuestion) == rt::kMsgResultYes)
        calculator.mnuLimpar_Click();
    calculator.txtFita.SetText(calculator.txtFita.Text() + block + L"\r\n" + std::wstring(core::kBlockRule) + L"\r\n");
    calculator.LimpaTudo();
}

tools::LoanFields frmJuro::Fields() const
{
    return {txtValVista.Text(), txtValPrest.Text(), txtParcelas.Text(), txtDias.Text(), txtJuroAp.Text()};
}

tools::BlockHeadings frmJuro::Headings() const
{
    return {Message(154), Message(155), Message(156), Message(157),
            Message(158), Message(159), Message(160), Message(kMsgInCash)};
}

// Field rules. Every change of an input empties the result mark: only the inputs a result was computed from
// hand it over.

void frmJuro::txtValVista_Change()
{
    cmdCalcular.SetTag(L"");
}

void frmJuro::txtValVista_GotFocus()
{
    SelectFromStart(txtValVista, 200);
}

void frmJuro::txtValVista_KeyPress(int& KeyAscii)
{
    DropSecondSeparator(txtValVista, KeyAscii);
}

void frmJuro::txtValVista_LostFocus()
{
    txtValVista.SetText(Module1::FormataValor(txtValVista.Text()));
}

void frmJuro::txtValPrest_Change()
{
    cmdCalcular.SetTag(L"");
    // An installment excludes the rate, except while a calculation writes both.
    if (txtValPrest.Tag().empty() && tools::MoneyReading(txtValPrest.Text()) > 0)
        txtJuroAp.SetText(L"");
}

void frmJuro::txtValPrest_GotFocus()
{
    SelectFromStart(txtValPrest, 200);
}

void frmJuro::txtValPrest_KeyPress(int& KeyAscii)
{
    DropSecondSeparator(txtValPrest, KeyAscii);
}

void frmJuro::txtValPrest_LostFocus()
{
    if (tools::MoneyReading(txtValPrest.Text()) != 0)
        txtValPrest.SetText(Module1::FormataValor(txtValPrest.Text()));
}

void frmJuro::txtParcelas_Change()
{
    cmdCalcular.SetTag(L"");
    const rt::Result<double> count = rt::ParseNumber(txtParcelas.Text());
    if (count && *count > tools::kMaxInstallments) {
        // This refusal's text is not in the message table: it is shown as it always was.
        rt::MsgBox(L"Digite a quantidade de parcelas entre 01 e 250", rt::kMsgCritical, Caption());
        txtParcelas.SetText(L"");
    }
}

// Two characters only: a count of three digits is mostly typed over from its hundreds.
void frmJuro::txtParcelas_GotFocus()
{
    SelectFromStart(txtParcelas, 2);
}

void frmJuro::txtParcelas_KeyPress(int& KeyAscii)
{
    if (IsSeparatorKey(KeyAscii))
        KeyAscii = 0;
}

void frmJuro::txtDias_Change()
{
    cmdCalcular.SetTag(L"");
    const std::wstring days = txtDias.Text();
    chkVista.SetValue(!days.empty() && rt::LeadingNumber(days) == 0 ? 1 : 0);
}

void frmJuro::txtDias_GotFocus()
{
    SelectFromStart(txtDias, 3);
}

void frmJuro::txtDias_KeyPress(int& KeyAscii)
{
    if (IsSeparatorKey(KeyAscii))
        KeyAscii = 0;
}

void frmJuro::txtJuroAp_Change()
{
    cmdCalcular.SetTag(L"");
    // A rate excludes the installment, except while a calculation writes both.
    if (txtValPrest.Tag().empty() && tools::MoneyReading(txtJuroAp.Text()) > 0)
        txtValPrest.SetText(L"");
}

void frmJuro::txtJuroAp_GotFocus()
{
    SelectFromStart(txtJuroAp, 200);
}

void frmJuro::txtJuroAp_KeyPress(int& KeyAscii)
{
    DropSecondSeparator(txtJuroAp, KeyAscii);
}

void frmJuro::txtValFinal_Change()
{
    if (const std::optional<std::wstring> total = tools::TotalInterest(txtValFinal.Text(), txtValVista.Text()))
        txtJuroTot.SetText(*total);
}

void frmJuro::chkVista_Click()
{
    if (chkVista.Value() == 1 && txtDias.Text() != L"0")
        txtDias.SetText(L"0");
}
