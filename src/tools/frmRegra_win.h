#pragma once
// The rule-of-three tool: six rows of a known case and of a case to find, one of them the unknown; the
// calculation asks for each described row whether it is direct or inverse and writes the unknown into its
// box. Two guided worked examples fill the window, and the window can be printed. Shown modally from the main
// window (Ctrl+T); it writes nothing to the tape.
#include "controls/XPButton_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Form_win.h"
#include "runtime/Image_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"
#include "tools/RuleOfThree.h"

#include <array>

class frmRegra : public rt::Form, private tools::RuleOfThreeHost {
public:
    frmRegra();

    // Row k of the known case, its relation marker, row k of the case to find and its option.
    std::array<rt::TextBox, tools::kRuleRows> txtValor;
    std::array<rt::TextBox, tools::kRuleRows> txtCond;
    std::array<rt::Image, tools::kRuleRows> imgVal;
    std::array<rt::TextBox, tools::kRuleRows> txtValor2;
    std::array<rt::TextBox, tools::kRuleRows> txtCond2;
    std::array<rt::OptionButton, tools::kRuleRows> optInc;

    controls::XPButton cmdExemplo;
    controls::XPButton cmdExemplo2;
    rt::Image Image1;
    rt::Label lblDados;
    std::array<rt::Label, 2> lblQtd;
    std::array<rt::Label, 2> lblDescricao;
    controls::XPButton cmdCalcular;
    controls::XPButton cmdImprimir;
    rt::Label lblEncontrar;
    rt::Label lblIncognita;

    // The relation that row k's marker shows.
    tools::Relation Relacao(int Index) const;

    // Handlers the examples call directly.
    void optInc_Click(int Index);
    void cmdCalcular_Click();
    void cmdExemplo_Click();
    void cmdExemplo2_Click();
    void cmdImprimir_Click();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(int& KeyAscii) override;

private:
    void txtValor_KeyPress(int Index, int& KeyAscii);
    void txtValor2_KeyPress(int Index, int& KeyAscii);
    void txtValor_GotFocus(int Index);
    void txtValor2_GotFocus(int Index);
    void txtCond_GotFocus(int Index);
    void txtCond_Change(int Index);
    void optInc_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void txtValor2_KeyUp(int Index, int KeyCode, int Shift);
    void txtValor2_Change(int Index);

    // What the calculation asks of the window.
    tools::RelationAnswer AskRelation(int row, int unknown) override;
    void SetRelation(int row, tools::Relation relation) override;
    void ClearUnknownValue(int unknown) override;

    // A message of the worked examples: the window caption as title, an OK button.
    void Explain(int message, int icon);
};
