#pragma once
// The date tool: the span between two dates in years, months, weeks and days with the 29 Februaries inside
// it, or the final date from a typed span. The dates are typed through a ten-character mask; closing the
// window after a calculation appends a block with both dates and the non-zero units to the main window's tape.
#include "controls/XPButton_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"
#include "tools/DateMask.h"

#include <array>
#include <string>

class frmData : public rt::Form {
public:
    frmData();

    rt::Label lblHoje;
    std::array<rt::Label, 2> lblDat;
    std::array<rt::TextBox, 2> txtData;  // initial and final date
    std::array<rt::Label, 2> lblData;    // their weekdays
    rt::TextBox txtAnos;
    rt::TextBox txtMeses;
    rt::TextBox txtSemanas;
    rt::TextBox txtDias;
    std::array<controls::XPButton, 5> cmdCalcula;  // years, months, weeks, days, final date
    std::array<rt::CheckBox, 4> Check1;            // the units the span is expressed in
    rt::Label lblBis;
    rt::Label lblBissextos;

    // The locale's date separator, the one the mask shows.
    wchar_t SeparadorData = L'/';

    // The calculation of one button (Index 0-4); also run with 0 when a unit's check box is released.
    void cmdCalcula_Click(int Index);
    // Empties the unit fields and the leap-day count; the span no longer belongs to the dates.
    void LimpaResultados();
    // Checks one date field, then puts today into an initial date that is not a date. A computed span whose
    // dates are no longer the fields' is cleared.
    void txtData_LostFocus(int Index);
    // Checks and rewrites one date field; message 32 and the empty mask for a date the parser refuses.
    void ValidaData(int Index);
    // Today into both date fields.
    void lblHoje_Click();
    // The large view: twice as wide, 1.9 times as high, everything inside doubled, centred on the screen.
    void AmpliaControles();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

private:
    class Fields;

    void txtData_KeyDown(int Index, int& KeyCode, int Shift);
    void txtData_KeyPress(int Index, int& KeyAscii);
    void txtData_Change(int Index);
    void txtData_GotFocus(int Index);
    void txtAnos_GotFocus();
    void txtMeses_GotFocus();
    void txtSemanas_GotFocus();
    void txtDias_GotFocus();
    void txtAnos_KeyPress(int& KeyAscii);
    void txtMeses_KeyPress(int& KeyAscii);
    void txtSemanas_KeyPress(int& KeyAscii);
    void txtDias_KeyPress(int& KeyAscii);
    void Check1_MouseUp(int Index, int& Button, int Shift, float X, float Y);
    void lblBissextos_Change();

    // A typed unit: the final date is to come from the span, and the unit is ticked.
    void UnitTyped(int unit, int keyAscii);
    static std::wstring Today();

    tools::DateMask mask_{L'/'};
    // The dates the span shown was computed from; empty while the unit fields hold no computed span.
    std::array<std::wstring, 2> computedFrom_;
    bool validating_ = false;  // a refusal's message is up: the focus it takes checks nothing again
};
