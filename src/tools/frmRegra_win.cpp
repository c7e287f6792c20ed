#include "tools/frmRegra_win.h"

#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/Printing_win.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "runtime/Strings.h"
#include "tools/QuestionMarkIcon_win.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kRowPitch = 330;
constexpr rt::OleColor kBlack = 0x000000;
constexpr rt::OleColor kWhite = 0xFFFFFF;
constexpr int kValueLength = 10;
constexpr int kDescriptionLength = 25;

rt::StdFont TahomaBold(double size)
{
    return rt::StdFont{.name = L"Tahoma", .size = size, .bold = true};
}

std::wstring Message(int n)
{
    return Module1::CarregaMensagem(n);
}

}  // namespace

frmRegra::frmRegra()
{
    // Design order is the tab order: the known case row by row, the case to find, the buttons, the options.
    Add(lblDados, {L"lblDados"});
    Add(lblQtd[0], {L"lblQtd", 0});
    for (int k = 0; k < tools::kRuleRows; ++k) {
        Add(txtValor[k], {L"txtValor", k});
        if (k == 0)
            Add(lblDescricao[0], {L"lblDescricao", 0});
        Add(txtCond[k], {L"txtCond", k});
    }
    Add(lblEncontrar, {L"lblEncontrar"});
    Add(lblQtd[1], {L"lblQtd", 1});
    for (int k = 0; k < tools::kRuleRows; ++k) {
        Add(txtValor2[k], {L"txtValor2", k});
        if (k == 0)
            Add(lblDescricao[1], {L"lblDescricao", 1});
        Add(txtCond2[k], {L"txtCond2", k});
    }
    Add(cmdCalcular, {L"cmdCalcular"});
    Add(cmdImprimir, {L"cmdImprimir"});
    Add(lblIncognita, {L"lblIncognita"});
    for (int k = 0; k < tools::kRuleRows; ++k)
        Add(optInc[k], {L"optInc", k});
    Add(cmdExemplo, {L"cmdExemplo"});
    Add(cmdExemplo2, {L"cmdExemplo2"});
    for (int k = 0; k < tools::kRuleRows; ++k)
        Add(imgVal[k], {L"imgVal", k});
    Add(Image1, {L"Image1"});

    for (int k = 0; k < tools::kRuleRows; ++k) {
        txtValor[k].KeyPress = [this, k](int& KeyAscii) { txtValor_KeyPress(k, KeyAscii); };
        txtValor[k].GotFocus = [this, k] { txtValor_GotFocus(k); };
        txtCond[k].GotFocus = [this, k] { txtCond_GotFocus(k); };
        txtCond[k].Change = [this, k] { txtCond_Change(k); };
        txtValor2[k].KeyPress = [this, k](int& KeyAscii) { txtValor2_KeyPress(k, KeyAscii); };
        txtValor2[k].GotFocus = [this, k] { txtValor2_GotFocus(k); };
        txtValor2[k].KeyUp = [this, k](int& KeyCode, int Shift) { txtValor2_KeyUp(k, KeyCode, Shift); };
        txtValor2[k].Change = [this, k] { txtValor2_Change(k); };
        optInc[k].Click = [this, k] { optInc_Click(k); };
        optInc[k].MouseUp = [this, k](int& Button, int Shift, float X, float Y) {
            optInc_MouseUp(k, Button, Shift, X, Y);
        };
    }
    cmdCalcular.Click = [this] { cmdCalcular_Click(); };
    cmdImprimir.Click = [this] { cmdImprimir_Click(); };
    cmdExemplo.Click = [this] { cmdExemplo_Click(); };
    cmdExemplo2.Click = [this] { cmdExemplo2_Click(); };
}

void frmRegra::Design()
{
    SetBorderStyle(rt::BorderStyle::FixedDialog);
    SetStartUpPosition(rt::StartUpPosition::CenterScreen);
    SetClientSize(5385, 5685);
    SetFont(TahomaBold(8.25));
    SetIcon(rt::LoadIconResource(rt::kIconProgram));

    HCURSOR hand = rt::LoadCursorResource(rt::kCursorHand);
    for (int k = 0; k < tools::kRuleRows; ++k) {
        const int baseTop = 660 + kRowPitch * k;
        const int findTop = 3480 + kRowPitch * k;
        rt::TextBox& value = txtValor[k];
        value.Move(120, baseTop, 1065, 285);
        value.SetAlignment(rt::Alignment::Right);
        value.SetMaxLength(kValueLength);
        value.SetForeColor(kBlack);
        value.SetBackColor(kWhite);
        value.SetEnabled(k == 0);
        rt::TextBox& description = txtCond[k];
        description.Move(1410, baseTop, 3435, 285);
        description.SetMaxLength(kDescriptionLength);
        description.SetForeColor(kBlack);
        description.SetBackColor(kWhite);
        description.SetEnabled(k == 0);
        imgVal[k].Move(5010, 690 + kRowPitch * k, 240, 240);
        rt::TextBox& find = txtValor2[k];
        find.Move(120, findTop, 1065, 285);
        find.SetAlignment(rt::Alignment::Right);
        find.SetMaxLength(kValueLength);
        find.SetBackColor(kWhite);
        find.SetEnabled(false);
        rt::TextBox& mirror = txtCond2[k];
        mirror.Move(1410, findTop, 3435, 285);
        mirror.SetMaxLength(kDescriptionLength);
        mirror.SetBackColor(kWhite);
        mirror.SetEnabled(false);
        rt::OptionButton& option = optInc[k];
        option.Move(5010, 3510 + kRowPitch * k, 225, 195);
        option.SetEnabled(false);
        option.SetMousePointer(rt::kPointerCustom);
        option.SetMouseIcon(hand);
    }

    const auto button = [](controls::XPButton& target, int left, int top, bool enabled) {
        target.Move(left, top, 1065, 345);
        target.SetDesignProperties(rt::PropertyBag{{L"FONT", TahomaBold(8.25)}, {L"ENAB", enabled}, {L"FX", 1}});
    };
    button(cmdExemplo, 120, 30, true);
    button(cmdExemplo2, 1440, 30, false);
    button(cmdCalcular, 120, 2730, true);
    button(cmdImprimir, 1440, 2730, false);

    Image1.Move(2820, 30, 480, 480);
    Image1.SetPicture(tools::QuestionMarkIcon());
    lblDados.Move(3390, 60, 1860, 345);
    lblDados.SetFont(TahomaBold(14.25));
    // The column heads are as wide as their texts need, up to the next column.
    lblQtd[0].Move(150, 420, 1230, 195);
    lblDescricao[0].Move(1440, 420, 1050, 195);
    lblEncontrar.Move(3420, 2760, 1845, 345);
    lblEncontrar.SetFont(TahomaBold(14.25));
    lblQtd[1].Move(150, 3240, 1230, 195);
    lblDescricao[1].Move(1440, 3240, 1050, 195);
    lblIncognita.Move(4440, 3240, 900, 195);
    lblIncognita.SetCaption(L"I&ncognita");
}

void frmRegra::Form_Load()
{
    SetCaption(Message(178));
    cmdCalcular.SetCaption(Message(151));
    cmdExemplo.SetCaption(Message(207) + L" &1");
    cmdExemplo2.SetCaption(Message(207) + L" &2");
    cmdImprimir.SetCaption(Message(215));
    lblDados.SetCaption(Message(202));
    lblQtd[0].SetCaption(Message(204));
    lblQtd[1].SetCaption(lblQtd[0].Caption());
    lblDescricao[0].SetCaption(Message(205));
    lblDescricao[1].SetCaption(lblDescricao[0].Caption());
    lblEncontrar.SetCaption(Message(203));
}

void frmRegra::Form_Activate()
{
    if (rt::GetBoolSetting(L"Plumva", L"Conf", L"Visivel", true))
        SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    txtValor[0].SetFocus();  // nothing when the box is disabled
}

void frmRegra::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii == kEnter)
        rt::SendKeys(L"{TAB}");
    else if (KeyAscii == kEscape)
        Unload();
}

void frmRegra::txtValor_KeyPress(int Index, int& KeyAscii)
{
    KeyAscii = tools::FilterNumberKey(KeyAscii, txtValor[Index].Text(), core::Program().SeparadorDecimal);
}

void frmRegra::txtValor2_KeyPress(int Index, int& KeyAscii)
{
    KeyAscii = tools::FilterNumberKey(KeyAscii, txtValor2[Index].Text(), core::Program().SeparadorDecimal);
}

void frmRegra::txtValor_GotFocus(int Index)
{
    txtValor[Index].SetSelStart(0);
    txtValor[Index].SetSelLength(kValueLength);
}

void frmRegra::txtValor2_GotFocus(int Index)
{
    txtValor2[Index].SetSelStart(0);
    txtValor2[Index].SetSelLength(kValueLength);
}

void frmRegra::txtCond_GotFocus(int Index)
{
    txtCond[Index].SetSelStart(0);
    txtCond[Index].SetSelLength(kDescriptionLength);
}

// Every change of a description opens or closes its row: the next row of the known case, and the row's find
// value, option and mirrored description.
void frmRegra::txtCond_Change(int Index)
{
    const tools::RowOpening opening = tools::OpenRow(txtValor[Index].Text(), txtCond[Index].Text());
    if (opening.emptyBaseValue)
        txtValor[Index].SetText(L"");
    const int next = Index + 1;
    if (next < tools::kRuleRows) {
        txtValor[next].SetEnabled(opening.open);
        txtCond[next].SetEnabled(opening.open);
    }
    txtValor2[Index].SetEnabled(opening.open);
    optInc[Index].SetEnabled(opening.open);
    if (opening.open) {
        txtCond2[Index].SetText(txtCond[Index].Text());
    } else {
        txtValor2[Index].SetText(L"");
        txtCond2[Index].SetText(L"");
    }
}

// Choosing the unknown locks the known case and asks the relations again at the next calculation.
void frmRegra::optInc_Click(int Index)
{
    for (int k = 0; k < tools::kRuleRows; ++k) {
        txtValor[k].SetEnabled(false);
        txtCond[k].SetEnabled(false);
    }
    cmdCalcular.SetTag(L"");
    cmdCalcular.SetEnabled(true);
}

void frmRegra::optInc_MouseUp(int Index, int Button, int Shift, float X, float Y)
{
    if (optInc[Index].Value())
        txtValor2[Index].SetText(L"");
}

// An empty find box reached or left empty from the keyboard becomes the unknown; a filled one is not.
void frmRegra::txtValor2_KeyUp(int Index, int KeyCode, int Shift)
{
    optInc[Index].SetValue(txtValor2[Index].Text().empty());
    cmdCalcular.SetEnabled(true);
    cmdImprimir.SetEnabled(false);
}

void frmRegra::txtValor2_Change(int Index)
{
    if (!txtValor2[Index].Text().empty())
        return;
    cmdCalcular.SetEnabled(true);
    cmdImprimir.SetEnabled(false);
}

tools::Relation frmRegra::Relacao(int Index) const
{
    if (imgVal[Index].Tag() == L"1")
        return tools::Relation::Direct;
    return imgVal[Index].Picture() ? tools::Relation::Inverse : tools::Relation::None;
}

void frmRegra::cmdCalcular_Click()
{
    tools::RuleRows rows;
    std::optional<int> unknown;
    for (int k = 0; k < tools::kRuleRows; ++k) {
        rows[k] = tools::RuleRow{txtValor[k].Text(), txtCond[k].Text(), txtValor2[k].Text(), txtValor2[k].Enabled(),
                                 Relacao(k)};
        if (optInc[k].Value())
            unknown = k;
    }
    const tools::RuleOutcome outcome = tools::CalculateRuleOfThree(rows, unknown, cmdCalcular.Tag() == L"ok", *this);
    if (outcome.kind == tools::RuleOutcome::Kind::Calculated) {
        txtValor2[outcome.unknown].SetText(outcome.resultText);
        cmdCalcular.SetEnabled(false);
        cmdImprimir.SetEnabled(true);
        cmdCalcular.SetTag(L"ok");
        txtValor2[outcome.unknown].SetFocus();
        // Run by Alt+C, the releases would reach the result's box as keys of its own and take the unknown away.
        rt::IgnoreReleasesOfHeldKeys();
        return;
    }
    // A refusal, a Cancel, or no quotient (a divisor of 0, beyond the currency range): no calculated state.
    rt::MsgBox(Message(outcome.message), rt::kMsgExclamation, Caption());
    if (outcome.focus) {
        const tools::RuleFocus& focus = *outcome.focus;
        rt::TextBox& box = (focus.box == tools::RuleBox::BaseValue ? txtValor : txtValor2)[focus.row];
        // Choosing the unknown locked the base values: the one to correct is opened again.
        box.SetEnabled(true);
        box.SetFocus();
    }
}

tools::RelationAnswer frmRegra::AskRelation(int row, int unknown)
{
    // The descriptions go in as arguments of the one-pass substitution, so a placeholder character typed into
    // them stays as typed.
    const std::wstring question = Module1::CarregaMensagem(
        tools::kMsgRelationQuestion, rt::UpperCase(txtCond[row].Text()), rt::UpperCase(txtCond2[unknown].Text()));
    switch (rt::MsgBox(question, rt::kMsgYesNoCancel + rt::kMsgQuestion, Caption())) {
    case rt::kMsgResultYes:
        return tools::RelationAnswer::Direct;
    case rt::kMsgResultNo:
        return tools::RelationAnswer::Inverse;
    default:
        return tools::RelationAnswer::Cancel;
    }
}

void frmRegra::SetRelation(int row, tools::Relation relation)
{
    switch (relation) {
    case tools::Relation::Direct:
        imgVal[row].SetPicture(rt::LoadIconResource(rt::kIconArrowUp));
        imgVal[row].SetTag(L"1");
        break;
    case tools::Relation::Inverse:
        imgVal[row].SetPicture(rt::LoadIconResource(rt::kIconArrowDown));
        imgVal[row].SetTag(L"");
        break;
    case tools::Relation::None:
        imgVal[row].SetPicture(nullptr);
        imgVal[row].SetTag(L"");
        break;
    }
}

void frmRegra::ClearUnknownValue(int unknown)
{
    txtValor2[unknown].SetText(L"");
}

void frmRegra::Explain(int message, int icon)
{
    rt::MsgBox(Message(message), icon, Caption());
}

// The carpenters: 8 of them, 5 days of 6 hours, 12 closets; how many closets do 5 build in 10 days of 8 hours?
void frmRegra::cmdExemplo_Click()
{
    for (int k = 0; k < tools::kRuleRows; ++k) {
        txtValor[k].SetText(L"");
        txtCond[k].SetText(L"");
        txtValor2[k].SetText(L"");
        txtValor2[k].SetEnabled(false);
        txtCond2[k].SetText(L"");
    }
    SetLeft(0);
    struct Step {
        int message;
        const wchar_t* value;
        int description = 0;
    };
    constexpr Step kBase[] = {{179, L"8", 188}, {180, L"5", 189}, {181, L"6", 190}, {182, L"12", 191}};
    for (int k = 0; k < 4; ++k) {
        Explain(kBase[k].message, rt::kMsgInformation);
        txtValor[k].SetText(kBase[k].value);
        txtCond[k].SetText(Message(kBase[k].description));
    }
    Explain(183, rt::kMsgQuestion);
    constexpr Step kFind[] = {{184, L"5"}, {185, L"10"}, {186, L"8"}};
    for (int k = 0; k < 3; ++k) {
        Explain(kFind[k].message, rt::kMsgInformation);
        txtValor2[k].SetText(kFind[k].value);
    }
    optInc[3].SetValue(true);
    optInc_Click(3);
    cmdCalcular.SetEnabled(true);
    Explain(187, rt::kMsgExclamation);
    cmdExemplo.SetEnabled(false);
    cmdExemplo2.SetEnabled(true);
    cmdCalcular.SetFocus();
}

// On the first example's known case: how many hours a day do 3 carpenters need in 12 days for 18 closets?
void frmRegra::cmdExemplo2_Click()
{
    for (int k = 0; k < tools::kRuleRows; ++k)
        txtValor2[k].SetText(L"");
    SetLeft(0);
    Explain(192, rt::kMsgQuestion);
    Explain(193, rt::kMsgInformation);
    txtValor2[0].SetText(L"3");
    Explain(194, rt::kMsgInformation);
    txtValor2[1].SetText(L"12");
    Explain(195, rt::kMsgInformation);
    txtValor2[3].SetText(L"18");
    optInc[2].SetValue(true);
    optInc_Click(2);
    cmdCalcular.SetEnabled(true);
    Explain(196, rt::kMsgExclamation);
    cmdExemplo2.SetEnabled(false);
    cmdCalcular.SetFocus();
}

// A failed print keeps the window and its entries (the user may fix the printer and print again).
void frmRegra::cmdImprimir_Click()
{
    if (rt::PrintWindowImage(hWnd()) == rt::PrintResult::Printed)
        Explain(16, rt::kMsgInformation);
    else
        Explain(17, rt::kMsgCritical);
}
