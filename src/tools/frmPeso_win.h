#pragma once
// The healthy-weight tool: a height, a weight and a sex give five weight limits, a verdict with advice and an
// arrow on a coloured gauge. Closing it after a verdict appends a block to the main window's tape.
#include "controls/XPButton_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Containers_win.h"
#include "runtime/Form_win.h"
#include "runtime/Image_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"
#include "tools/HealthyWeight.h"

class frmPeso : public rt::Form {
public:
    frmPeso();

    rt::Label lbl8;
    rt::Label lblAltura;
    rt::TextBox txtAltura;
    rt::Label lblPeso;
    rt::TextBox txtPeso;
    rt::OptionButton Option2;  // woman
    rt::OptionButton Option1;  // man
    controls::XPButton cmdHomem;
    rt::Image Image1;
    rt::Image Image2;
    rt::Frame Frame1;
    rt::Label lblMagro;
    rt::TextBox txtMagro;
    rt::Label lblMédia;
    rt::TextBox txtIdeal;
    rt::Label lblSobrepeso;
    rt::TextBox txtSobrepeso;
    rt::Label lblGordo;
    rt::TextBox txtGordo;
    rt::Label lblObeso;
    rt::TextBox txtObeso;
    rt::Label lblResultado;
    rt::Label lblMedidor;
    rt::Label lblMin;
    rt::Label lblTol1;
    rt::Label lblTol2;
    rt::Label lblMax;
    rt::Image imgSeta;

    // The calculation: checks, limits, gauge arrow and verdict.
    void cmdHomem_Click();
    void Option1_Click();
    void Option2_Click();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

private:
    void txtAltura_KeyPress(int& KeyAscii);
    void txtPeso_KeyPress(int& KeyAscii);
    void txtAltura_GotFocus();
    void txtPeso_GotFocus();
    void txtAltura_Change();
    void txtPeso_Change();

    tools::Sex ChosenSex() const;
    tools::WeightLimits ShownLimits() const;
    void LayGauge(tools::Sex sex);
    void SexPicked(tools::Sex sex);
};
