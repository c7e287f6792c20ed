#pragma once
// The interest tool: the rate or the installment of a fixed-installment loan, a savings account and a cash
// check. Closing it after a calculation writes the schedule to the main window's tape and hands the final
// amount to the calculator's entry; the savings account and the cash check write their blocks and close it.
#include "controls/XPButton_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Form_win.h"
#include "runtime/Image_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"
#include "tools/Installments.h"

#include <array>
#include <optional>
#include <string>

class frmJuro : public rt::Form {
public:
    frmJuro();

    rt::Label lblFixas;   // panel of the fixed installments
    rt::Label lblCapit;   // panel of the savings and cash-check buttons
    rt::Label lblAgiota;  // the credit at the top
    rt::Image Image1;
    std::array<rt::Label, 8> lbl1;  // field captions
    rt::Label lbl2;                 // "monthly"
    controls::XPButton cmdAjuda;
    rt::TextBox txtValVista;
    rt::TextBox txtValPrest;  // its Tag is the busy mark: "1" while a calculation runs
    rt::TextBox txtParcelas;
    controls::XPButton cmdCalcular;  // its Tag is the result mark: "ok" while a valid result is shown
    rt::TextBox txtDias;
    rt::CheckBox chkVista;
    rt::TextBox txtJuroAp;
    rt::TextBox txtJuroTot;
    rt::TextBox txtValFinal;
    controls::XPButton cmdDescontar;
    controls::XPButton cmdCapitalizar;

    void cmdAjuda_Click();
    // The fixed-installment calculation: validation, then the rate or the installment search.
    void cmdCalcular_Click();
    // The savings account and the cash check: four questions, the result, the block, and the tool closes.
    void cmdCapitalizar_Click();
    void cmdDescontar_Click();
    // Writes the block of a savings account or a cash check to the tape with the hand-over steps and closes
    // the tool. The texts are those the block shows.
    void GravaFitaJuro(const std::wstring& value, const std::wstring& rate, const std::wstring& days,
                       const std::wstring& finalAmount, const std::wstring& initialDate);

    // Whether a search is running (it yields to the message loop between steps).
    bool Searching() const { return searching_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

private:
    class FieldObserver;

    void txtValVista_Change();
    void txtValVista_GotFocus();
    void txtValVista_KeyPress(int& KeyAscii);
    void txtValVista_LostFocus();
    void txtValPrest_Change();
    void txtValPrest_GotFocus();
    void txtValPrest_KeyPress(int& KeyAscii);
    void txtValPrest_LostFocus();
    void txtParcelas_Change();
    void txtParcelas_GotFocus();
    void txtParcelas_KeyPress(int& KeyAscii);
    void txtDias_Change();
    void txtDias_GotFocus();
    void txtDias_KeyPress(int& KeyAscii);
    void txtJuroAp_Change();
    void txtJuroAp_GotFocus();
    void txtJuroAp_KeyPress(int& KeyAscii);
    void txtValFinal_Change();
    void chkVista_Click();

    // A refusal of the calculation: the message with the exclamation icon, the focus to the field.
    void Refuse(int message, rt::TextBox& field);
    // The failure steps: "Erro" in the rate and the installment, message 28.
    void Fail();
    // Whether an input other than the searched field differs from what the search started from: a click or a
    // paste handled while the search yielded. Its result then belongs to no inputs shown and is dropped.
    bool InputsChanged(const tools::LoanFields& started, std::wstring tools::LoanFields::*searched) const;
    void DropResult(rt::TextBox& searched);
    void RunRateSearch();
    void RunInstallmentSearch();
    // The answers of a savings account or a cash check: the value (or the check), the rate, the initial date
    // as typed and the days.
    struct CapitalInputs {
        std::wstring value, rate, initialDate, days;
    };
    // Asks the four questions; nothing after the first answer that fails its test.
    std::optional<CapitalInputs> AskCapitalInputs(int titleMessage, int firstMessage, int maxDays);
    void InvalidData();
    // The hand-over to the main window: the opening steps, the block, the closing steps.
    void HandOver(const std::wstring& block);
    tools::LoanFields Fields() const;
    tools::BlockHeadings Headings() const;

    bool searching_ = false;
    bool closing_ = false;  // the window is being closed: a running search stops
};
