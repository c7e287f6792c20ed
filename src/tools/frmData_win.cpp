#include "tools/frmData_win.h"

#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "runtime/MsgBox_win.h"
#include "runtime/NumberText.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "tools/DateSpan.h"

#include <windows.h>

#include <cmath>

namespace {

constexpr int kMsgDateIncorrect = 32;
constexpr int kMsgFinalBeforeInitial = 33;
constexpr int kMsgCheckFields = 34;
constexpr int kMsgToday = 54;
constexpr int kMsgInitialDate = 129;
constexpr int kMsgFinalDate = 130;
constexpr int kMsgYears = 131;  // then months, weeks, days
constexpr int kMsgLeapYears = 135;
constexpr int kMsgCaption = 136;
constexpr int kMsgCalculateFinal = 209;

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEsc = 27;

constexpr rt::OleColor kBlue = 0xFF0000;
constexpr rt::OleColor kPaleCyan = 0xFFFFC0;
constexpr rt::OleColor kWhite = 0xFFFFFF;

// "Leap Years" sizes itself to its caption and stays right-aligned over the count below it.
constexpr int kLeapLabelRight = 3435;

// Large view: the check boxes stand this far to the left of their (doubled) unit fields.
constexpr int kCheckGap = 180;

rt::StdFont Tahoma(bool bold)
{
    rt::StdFont font;
    font.name = L"Tahoma";
    font.size = 8.25;
    font.bold = bold;
    return font;
}

// Position, size and font size doubled.
void Double(rt::Control& control)
{
    control.Move(control.Left() * 2, control.Top() * 2, control.Width() * 2, control.Height() * 2);
    control.SetFontSize(control.FontSize() * 2);
}

// The selection of a field read and set with one message each: every message to an edit control costs, and a
// date field handles its selection at every key.
tools::DateMask::Selection SelectionOf(const rt::TextBox& field)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end - start)};
}

void Select(rt::TextBox& field, const tools::DateMask::Selection& selection)
{
    SendMessageW(field.hWnd(), EM_SETSEL, static_cast<WPARAM>(selection.start),
                 static_cast<LPARAM>(selection.start + selection.length));
}

// A button's font size is a whole number: rounded first, then doubled.
void Double(controls::XPButton& button)
{
    button.Move(button.Left() * 2, button.Top() * 2, button.Width() * 2, button.Height() * 2);
    button.SetFontSize(button.FontSize() * 2);
}

}  // namespace

// The fields as the calculation reads and writes them; each write runs the control's own change handling.
class frmData::Fields : public tools::DateFields {
public:
    explicit Fields(frmData& form) : form_(form) {}

    std::wstring DateText(int index) const override { return form_.txtData[static_cast<size_t>(index)].Text(); }
    void SetDateText(int index, const std::wstring& text) override
    {
        form_.txtData[static_cast<size_t>(index)].SetText(text);
    }
    std::wstring UnitText(tools::DateUnit unit) const override { return Unit(unit).Text(); }
    void SetUnitText(tools::DateUnit unit, const std::wstring& text) override
    {
        // Emptying an empty field changes nothing; its length is cheaper to read than its text.
        rt::TextBox& field = Unit(unit);
        if (text.empty() && field.TextLength() == 0) return;
        field.SetText(text);
    }
    bool UnitTicked(tools::DateUnit unit) const override
    {
        return form_.Check1[static_cast<size_t>(unit)].Value() == 1;
    }
    void SetLeapDays(const std::wstring& caption) override { form_.lblBissextos.SetCaption(caption); }

private:
    rt::TextBox& Unit(tools::DateUnit unit) const
    {
        switch (unit) {
        case tools::DateUnit::Years:
            return form_.txtAnos;
        case tools::DateUnit::Months:
            return form_.txtMeses;
        case tools::DateUnit::Weeks:
            return form_.txtSemanas;
        case tools::DateUnit::Days:
        default:
            return form_.txtDias;
        }
    }

    frmData& form_;
};

frmData::frmData()
{
    Add(lblHoje, {L"lblHoje"});
    for (int i = 0; i < 2; ++i) {
        Add(lblDat[i], {L"lblDat", i});
        Add(txtData[i], {L"txtData", i});
        Add(lblData[i], {L"lblData", i});
    }
    Add(txtAnos, {L"txtAnos"});
    Add(txtMeses, {L"txtMeses"});
    Add(txtSemanas, {L"txtSemanas"});
    Add(txtDias, {L"txtDias"});
    for (int i = 0; i < 5; ++i) Add(cmdCalcula[i], {L"cmdCalcula", i});
    for (int i = 0; i < 4; ++i) Add(Check1[i], {L"Check1", i});
    Add(lblBis, {L"lblBis"});
    Add(lblBissextos, {L"lblBissextos"});

    lblHoje.Click = [this] { lblHoje_Click(); };
    for (int i = 0; i < 2; ++i) {
        txtData[i].KeyDown = [this, i](int& KeyCode, int Shift) { txtData_KeyDown(i, KeyCode, Shift); };
        txtData[i].KeyPress = [this, i](int& KeyAscii) { txtData_KeyPress(i, KeyAscii); };
        txtData[i].Change = [this, i] { txtData_Change(i); };
        txtData[i].GotFocus = [this, i] { txtData_GotFocus(i); };
        txtData[i].LostFocus = [this, i] { txtData_LostFocus(i); };
    }
    txtAnos.GotFocus = [this] { txtAnos_GotFocus(); };
    txtMeses.GotFocus = [this] { txtMeses_GotFocus(); };
    txtSemanas.GotFocus = [this] { txtSemanas_GotFocus(); };
    txtDias.GotFocus = [this] { txtDias_GotFocus(); };
    txtAnos.KeyPress = [this](int& KeyAscii) { txtAnos_KeyPress(KeyAscii); };
    txtMeses.KeyPress = [this](int& KeyAscii) { txtMeses_KeyPress(KeyAscii); };
    txtSemanas.KeyPress = [this](int& KeyAscii) { txtSemanas_KeyPress(KeyAscii); };
    txtDias.KeyPress = [this](int& KeyAscii) { txtDias_KeyPress(KeyAscii); };
    for (int i = 0; i < 5; ++i) cmdCalcula[i].Click = [this, i] { cmdCalcula_Click(i); };
    for (int i = 0; i < 4; ++i)
        Check1[i].MouseUp = [this, i](int& Button, int Shift, float X, float Y) {
            Check1_MouseUp(i, Button, Shift, X, Y);
        };
    lblBissextos.Change = [this] { lblBissextos_Change(); };
}

void frmData::Design()
{
    SetBorderStyle(rt::BorderStyle::FixedDialog);
    SetStartUpPosition(rt::StartUpPosition::Manual);
    SetClientSize(3555, 3090);
    SetFont(Tahoma(true));
    SetCaption(L" Calculate Date");

    lblHoje.Move(30, 30, 3480, 495);
    lblHoje.SetAlignment(rt::Alignment::Center);
    lblHoje.SetForeColor(kBlue);
    lblHoje.SetBackColor(kPaleCyan);
    lblHoje.SetFont(Tahoma(false));

    const int dateTop[] = {870, 1470};
    const int labelTop[] = {660, 1260};
    for (size_t i = 0; i < 2; ++i) {
        lblDat[i].Move(240, labelTop[i], 1000, 195);
        lblDat[i].SetAutoSize(true);
        txtData[i].Move(210, dateTop[i], 1245, 285);  // a whole date with the caret after it
        txtData[i].SetBackColor(kWhite);
        txtData[i].SetAlignment(rt::Alignment::Center);
        txtData[i].SetMaxLength(tools::DateMask::kLength);
        lblData[i].Move(1470, dateTop[i], 2025, 285);
        lblData[i].SetAlignment(rt::Alignment::Center);
        lblData[i].SetBackColor(kPaleCyan);
    }

    // Each row: check box, unit field, button.
    struct Row {
        rt::TextBox& field;
        int maxLength, left, top, fieldWidth, buttonLeft, buttonWidth;
    };
    // Each field is wide enough for the longest number a span up to 9999 can give it ("8999" years, "109572"
    // months, "469597" weeks, "3287181" days), not only for what can be typed into it.
    const Row rows[] = {
        {txtAnos, 3, 90, 2040, 600, 945, 675},
        {txtMeses, 4, 90, 2340, 810, 1155, 795},
        {txtSemanas, 5, 90, 2640, 810, 1155, 975},
        {txtDias, 7, 1680, 2040, 915, 2850, 645},
    };
    for (size_t i = 0; i < 4; ++i) {
        const Row& row = rows[i];
        Check1[i].Move(row.left, row.top, 285, 285);
        Check1[i].SetValue(1);
        row.field.Move(row.left + 210, row.top, row.fieldWidth, 285);
        row.field.SetAlignment(rt::Alignment::Center);
        row.field.SetMaxLength(row.maxLength);
        cmdCalcula[i].Move(row.buttonLeft, row.top, row.buttonWidth, 285);
    }
    cmdCalcula[4].Move(1470, 1170, 2055, 285);  // its caption on one line
    for (controls::XPButton& button : cmdCalcula)
        button.SetDesignProperties(rt::PropertyBag{{L"TX", std::wstring()}, {L"FONT", Tahoma(true)}, {L"FX", 1}});

    lblBis.Move(3315, 2400, kLeapLabelRight - 3315, 195);
    lblBis.SetAutoSize(true);
    lblBis.SetAlignment(rt::Alignment::Right);
    lblBis.SetFont(Tahoma(false));
    lblBis.SetVisible(false);
    lblBissextos.Move(3000, 2640, 435, 285);
    lblBissextos.SetAlignment(rt::Alignment::Center);
    lblBissextos.SetBackColor(kPaleCyan);
    lblBissextos.SetVisible(false);
}

std::wstring frmData::Today() { return rt::Date::Today().Format(core::Program().FormatoData); }

void frmData::Form_Load()
{
    // The separator first: the mask must be right from the first write into a date field. The locale gives it
    // directly; reading a fixed day-first text back as a date would fail in a month-first locale.
    SeparadorData = rt::CurrentLocale().dateSeparator;
    mask_ = tools::DateMask(SeparadorData);

    HCURSOR hand = rt::LoadCursorResource(rt::kCursorHand);
    for (rt::CheckBox& box : Check1) {
        box.SetMousePointer(rt::kPointerCustom);
        box.SetMouseIcon(hand);
    }
    // A check box is wider than the gap to its unit field, in both views: the field lies over the box's empty
    // right part instead of losing its left border under it.
    for (rt::TextBox* field : {&txtAnos, &txtMeses, &txtSemanas, &txtDias}) field->ZOrder(0);
    const std::wstring& format = core::Program().FormatoData;
    for (rt::TextBox& field : txtData) {
        field.SetText(Today());
        field.SetToolTipText(format);
    }
    lblHoje.SetCaption(Module1::CarregaMensagem(kMsgToday) + txtData[0].Text() + L"\r" +
                       rt::Date::Today().Format(L"dddddd"));

    lblDat[0].SetCaption(Module1::CarregaMensagem(kMsgInitialDate));
    lblDat[1].SetCaption(Module1::CarregaMensagem(kMsgFinalDate));
    for (int i = 0; i < 4; ++i) cmdCalcula[i].SetCaption(Module1::CarregaMensagem(kMsgYears + i));
    cmdCalcula[4].SetCaption(Module1::CarregaMensagem(kMsgCalculateFinal));
    lblBis.SetCaption(Module1::CarregaMensagem(kMsgLeapYears));
    lblBis.SetLeft(kLeapLabelRight - lblBis.Width());
    SetCaption(Module1::CarregaMensagem(kMsgCaption));

    frmCalcula& calculator = rt::TheForm<frmCalcula>();
    if (calculator.mnuGrande.Checked()) {
        AmpliaControles();
    } else {
        SetTop(calculator.Top());
        SetLeft(calculator.Left());
    }
}

void frmData::AmpliaControles()
{
    // Off the screen while it grows, so that no half-scaled layout is ever seen.
    SetTop(-12000);
    SetLeft(-12000);
    SetWidth(Width() * 2);
    SetHeight(static_cast<int>(std::lround(Height() * 1.9)));

    Double(lblHoje);
    Double(cmdCalcula[4]);
    for (rt::TextBox* field : {&txtAnos, &txtMeses, &txtSemanas, &txtDias}) Double(*field);
    lblBis.SetAlignment(rt::Alignment::Left);
    lblBis.Move(lblBis.Left() * 2, lblBis.Top() * 2, lblBis.Width(), lblBis.Height());
    lblBis.SetFontSize(lblBis.FontSize() * 2);
    Double(lblBissextos);
    const rt::TextBox* fields[] = {&txtAnos, &txtMeses, &txtSemanas, &txtDias};
    for (size_t i = 0; i < 4; ++i)
        Check1[i].Move(fields[i]->Left() - kCheckGap, fields[i]->Top(), Check1[i].Width(), Check1[i].Height());
    for (size_t i = 0; i < 2; ++i) {
        lblDat[i].Move(lblDat[i].Left() * 2, lblDat[i].Top() * 2, lblDat[i].Width(), lblDat[i].Height());
        lblDat[i].SetFontSize(lblDat[i].FontSize() * 2);
        Double(lblData[i]);
        Double(txtData[i]);
    }
    for (int i = 0; i < 4; ++i) Double(cmdCalcula[i]);

    SetTop(rt::Screen::Height() / 2 - Height() / 2);
    SetLeft(rt::Screen::Width() / 2 - Width() / 2);
}

void frmData::Form_Activate()
{
    // A failure leaves the window where it is in the z-order, which only makes it easier to cover.
    if (rt::GetBoolSetting(L"Plumva", L"Conf", L"Visivel", true))
        SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    txtData[0].SetFocus();
}

// Another window of the program became active: the tool closes (and writes its block).
void frmData::Form_Deactivate() { Unload(); }

void frmData::Form_KeyPress(int& KeyAscii)
{
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == kKeyBackspace || KeyAscii == '-')
        return;
    if (KeyAscii == kKeyEsc) {
        Unload();
        KeyAscii = 0;
    } else if (KeyAscii == kKeyEnter) {
        rt::SendKeys(L"{TAB}");  // the Enter itself still reaches the field
    } else {
        KeyAscii = 0;
    }
}

void frmData::Form_KeyUp(int& KeyCode, int Shift)
{
    Module1::LigaNumLock(rt::TheForm<frmCalcula>().mnuNumLock.Checked());
}

void frmData::Form_Unload(int& Cancel)
{
    txtData_LostFocus(0);
    const std::array<std::wstring, tools::kDateUnitCount> units{txtAnos.Text(), txtMeses.Text(), txtSemanas.Text(),
                                                                txtDias.Text()};
    frmCalcula& calculator = rt::TheForm<frmCalcula>();
    const std::array<std::wstring, 2> dates{txtData[0].Text(), txtData[1].Text()};
    const auto block = dates == computedFrom_ ? tools::DateTapeBlock(dates[0], dates[1], units) : std::nullopt;
    if (block) {
        calculator.txtFita.SetText(calculator.txtFita.Text() + *block);
        txtData[1].SetText(L"");
    }
    if (!core::Program().Fechando) calculator.Foco();
}

void frmData::cmdCalcula_Click(int Index)
{
    txtData_LostFocus(0);
    txtData_LostFocus(1);
    tools::SpanButton button = tools::SpanButton::Days;  // any other index acts as Days
    if (Index >= 0 && Index <= 4) button = static_cast<tools::SpanButton>(Index);
    Fields fields(*this);
    switch (tools::CalculateSpan(fields, button, core::Program().FormatoData)) {
    case tools::SpanOutcome::FinalBeforeInitial:
        rt::MsgBox(Module1::CarregaMensagem(kMsgFinalBeforeInitial), rt::kMsgExclamation, Caption());
        return;
    case tools::SpanOutcome::CheckFields:
        rt::MsgBox(Module1::CarregaMensagem(kMsgCheckFields), rt::kMsgExclamation, Caption());
        break;
    case tools::SpanOutcome::Done:
        computedFrom_ = {txtData[0].Text(), txtData[1].Text()};
        break;
    }
    txtAnos.SetFocus();
    txtAnos.SetSelStart(0);
    txtAnos.SetSelLength(3);
}

void frmData::Check1_MouseUp(int Index, int& Button, int Shift, float X, float Y) { cmdCalcula_Click(0); }

void frmData::LimpaResultados()
{
    Fields fields(*this);
    tools::ClearResults(fields);
    computedFrom_ = {};
}

void frmData::lblBissextos_Change()
{
    // An empty caption reads as 0.
    const bool shown = rt::LeadingNumber(lblBissextos.Caption()) != 0;
    lblBis.SetVisible(shown);
    lblBissextos.SetVisible(shown);
}

void frmData::txtData_KeyDown(int Index, int& KeyCode, int Shift)
{
    rt::TextBox& field = txtData[static_cast<size_t>(Index)];
    const tools::DateMask::Selection current = SelectionOf(field);
    const auto selection = mask_.BeforeKey(field.Text(), current, KeyCode);
    if (selection && *selection != current) Select(field, *selection);
}

void frmData::txtData_KeyPress(int Index, int& KeyAscii)
{
    if (KeyAscii == kKeyBackspace || KeyAscii == kKeyEnter) return;
    LimpaResultados();  // the date changes, so the span shown no longer holds
    if (KeyAscii < '0' || KeyAscii > '9') KeyAscii = 0;
}

void frmData::txtData_Change(int Index)
{
    rt::TextBox& field = txtData[static_cast<size_t>(Index)];
    const std::wstring text = field.Text();
    const int caret = SelectionOf(field).start;
    const tools::DateMask::Edit edit = mask_.AfterChange(text, caret);
    const bool rebuilt = edit.text != text;
    if (rebuilt) field.SetText(edit.text);  // runs this handler again on the full mask, caret at 0
    if (rebuilt || edit.caret != caret) Select(field, {edit.caret, 0});

    // The field changed last decides which buttons can be used. A button redraws itself whenever it is set,
    // so only a change is passed on: typing stays fast.
    const auto date = rt::Date::Parse(edit.text);
    lblData[static_cast<size_t>(Index)].SetCaption(date ? date->Format(L"dddd") : std::wstring());
    for (int i = 0; i < 5; ++i) {
        const bool enabled = (i < 4) == date.ok();
        if (cmdCalcula[i].Enabled() != enabled) cmdCalcula[i].SetEnabled(enabled);
    }
}

void frmData::txtData_GotFocus(int Index)
{
    if (Index == 1 && txtData[0].Text() != Today() && !rt::Date::Parse(txtData[1].Text()))
        txtData[1].SetText(Today());
    rt::TextBox& field = txtData[static_cast<size_t>(Index)];
    field.SetSelStart(0);
    field.SetSelLength(tools::DateMask::kLength);
}

void frmData::txtData_LostFocus(int Index)
{
    if (validating_) return;  // the focus went to the message of this very check
    ValidaData(Index);
    if (!rt::Date::Parse(txtData[0].Text())) txtData[0].SetText(Today());
    const bool spanShown = !computedFrom_[0].empty();
    if (spanShown && (txtData[0].Text() != computedFrom_[0] || txtData[1].Text() != computedFrom_[1]))
        LimpaResultados();
}

void frmData::ValidaData(int Index)
{
    rt::TextBox& field = txtData[static_cast<size_t>(Index)];
    const tools::DateMask::Check check = mask_.Validate(field.Text(), core::Program().FormatoData);
    if (check.refused) {
        validating_ = true;
        rt::MsgBox(Module1::CarregaMensagem(kMsgDateIncorrect), rt::kMsgExclamation, Caption());
        validating_ = false;
        field.SetFocus();
    }
    field.SetText(check.text);
}

void frmData::lblHoje_Click()
{
    txtData[0].SetText(Today());
    txtData[1].SetText(Today());
}

void frmData::txtAnos_GotFocus()
{
    txtAnos.SetSelStart(0);
    txtAnos.SetSelLength(10);
}

void frmData::txtMeses_GotFocus()
{
    txtMeses.SetSelStart(0);
    txtMeses.SetSelLength(10);
}

void frmData::txtSemanas_GotFocus()
{
    txtSemanas.SetSelStart(0);
    txtSemanas.SetSelLength(10);
}

void frmData::txtDias_GotFocus()
{
    txtDias.SetSelStart(0);
    txtDias.SetSelLength(10);
}

void frmData::txtAnos_KeyPress(int& KeyAscii) { UnitTyped(0, KeyAscii); }
void frmData::txtMeses_KeyPress(int& KeyAscii) { UnitTyped(1, KeyAscii); }
void frmData::txtSemanas_KeyPress(int& KeyAscii) { UnitTyped(2, KeyAscii); }
void frmData::txtDias_KeyPress(int& KeyAscii) { UnitTyped(3, KeyAscii); }

void frmData::UnitTyped(int unit, int keyAscii)
{
    // A typed span replaces the final date: the next calculation computes it.
    if (keyAscii != kKeyEnter) {
        txtData[1].SetText(L"");
        computedFrom_ = {};  // the units are the user's now
    }
    Check1[static_cast<size_t>(unit)].SetValue(1);
}
