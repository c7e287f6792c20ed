#include "tools/frmPeso_win.h"

#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/MsgBox_win.h"
#include "runtime/NumberText.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"

#include <windows.h>

#include <cmath>
#include <initializer_list>

namespace {

constexpr rt::OleColor kBlue = 0xFF0000;
constexpr rt::OleColor kPaleCyan = 0xFFFFC0;
constexpr rt::OleColor kLimitBack = 0xE0E0E0;
constexpr rt::OleColor kGaugeGreen = 0x80FF80;
constexpr rt::OleColor kGaugePink = 0xC0C0FF;
constexpr rt::OleColor kGaugeYellow = 0x00FFFF;
constexpr rt::OleColor kGaugeRed = 0x0000C0;
constexpr rt::OleColor kWhite = 0xFFFFFF;

// The gauge's fixed geometry (the zones that differ between the sexes come from tools::GaugeFor).
constexpr int kZoneTop = 3990;
constexpr int kZoneHeight = 225;
constexpr int kTol1Width = 255;
constexpr int kArrowTop = 4230;

// Rows of the limits in Frame1: label and box side by side.
constexpr int kRowTop = 270;
constexpr int kRowStep = 285;

}  // namespace

frmPeso::frmPeso()
{
    Add(lbl8, {L"lbl8"});
    Add(lblAltura, {L"lblAltura"});
    Add(txtAltura, {L"txtAltura"});
    Add(lblPeso, {L"lblPeso"});
    Add(txtPeso, {L"txtPeso"});
    Add(Option2, {L"Option2"});
    Add(Option1, {L"Option1"});
    Add(cmdHomem, {L"cmdHomem"});
    Add(Image1, {L"Image1"});
    Add(Image2, {L"Image2"});
    Add(Frame1, {L"Frame1"});
    Add(lblMagro, {L"lblMagro", {}, &Frame1});
    Add(txtMagro, {L"txtMagro", {}, &Frame1});
    Add(lblMédia, {L"lblMédia", {}, &Frame1});
    Add(txtIdeal, {L"txtIdeal", {}, &Frame1});
    Add(lblSobrepeso, {L"lblSobrepeso", {}, &Frame1});
    Add(txtSobrepeso, {L"txtSobrepeso", {}, &Frame1});
    Add(lblGordo, {L"lblGordo", {}, &Frame1});
    Add(txtGordo, {L"txtGordo", {}, &Frame1});
    Add(lblObeso, {L"lblObeso", {}, &Frame1});
    Add(txtObeso, {L"txtObeso", {}, &Frame1});
    Add(lblResultado, {L"lblResultado", {}, &Frame1});
    Add(lblMedidor, {L"lblMedidor"});
    Add(lblMin, {L"lblMin"});
    Add(lblTol1, {L"lblTol1"});
    Add(lblTol2, {L"lblTol2"});
    Add(lblMax, {L"lblMax"});
    Add(imgSeta, {L"imgSeta"});

    cmdHomem.Click = [this] { cmdHomem_Click(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    txtAltura.KeyPress = [this](int& KeyAscii) { txtAltura_KeyPress(KeyAscii); };
    txtPeso.KeyPress = [this](int& KeyAscii) { txtPeso_KeyPress(KeyAscii); };
    txtAltura.GotFocus = [this] { txtAltura_GotFocus(); };
    txtPeso.GotFocus = [this] { txtPeso_GotFocus(); };
    txtAltura.Change = [this] { txtAltura_Change(); };
    txtPeso.Change = [this] { txtPeso_Change(); };
}

void frmPeso::Design()
{
    SetCaption(L" Ideal Weight");
    SetBorderStyle(rt::BorderStyle::FixedDialog);
    SetStartUpPosition(rt::StartUpPosition::CenterScreen);
    SetClientSize(3540, 4665);
    rt::StdFont font;
    font.name = L"Tahoma";
    font.size = 8.25;
    font.bold = true;
    SetFont(font);

    lbl8.Move(0, 0, 3540, 600);
    lbl8.SetCaption(L"National Health and Nutrition Examination Survey - by USA - 1976/1980");
    lbl8.SetAlignment(rt::Alignment::Center);
    lbl8.SetForeColor(kBlue);
    lbl8.SetBackColor(kPaleCyan);

    const auto numberBox = [](rt::TextBox& box, int maxLength, std::wstring tip) {
        box.SetAlignment(rt::Alignment::Center);
        box.SetMaxLength(maxLength);
        box.SetToolTipText(std::move(tip));
    };
    lblAltura.Move(960, 720, 1260, 255);
    lblAltura.SetCaption(L"&Height (m)");
    txtAltura.Move(2280, 675, 1080, 315);
    numberBox(txtAltura, 4, L" Your Height ");
    lblPeso.Move(960, 1080, 1260, 255);
    lblPeso.SetCaption(L"W&eight (Kg)");
    txtPeso.Move(2280, 1035, 1080, 315);
    numberBox(txtPeso, 6, L" Your Weight ");

    Option2.Move(960, 1425, 1140, 255);
    Option2.SetCaption(L"&Woman");
    Option2.SetToolTipText(L" for woman ");
    Option2.SetValue(true);
    Option1.Move(2280, 1425, 1080, 255);
    Option1.SetCaption(L"&Man");
    Option1.SetToolTipText(L" for man ");

    cmdHomem.Move(960, 1755, 2400, 345);
    cmdHomem.SetDesignProperties({{L"TX", std::wstring(L"&Calculate")}, {L"FONT", font}, {L"FX", 1}});

    Image1.Move(180, 660, 570, 1140);
    Image1.SetPicture(rt::LoadIconResource(rt::kIconWeightPerson));
    Image2.Move(180, 660, 570, 1140);
    Image2.SetPicture(rt::LoadIconResource(rt::kIconWeightUnknown));

    Frame1.Move(90, 2160, 3360, 1770);
    rt::Label* rowLabels[] = {&lblMagro, &lblMédia, &lblSobrepeso, &lblGordo, &lblObeso};
    rt::TextBox* rowBoxes[] = {&txtMagro, &txtIdeal, &txtSobrepeso, &txtGordo, &txtObeso};
    const wchar_t* rowCaptions[] = {L"Thin <", L"Medium =", L"Overweight >", L"Fat >", L"Obese >"};
    for (int row = 0; row < 5; ++row) {
        const int top = kRowTop + row * kRowStep;
        rowLabels[row]->Move(90, top + 15, 1290, 240);
        rowLabels[row]->SetCaption(rowCaptions[row]);
        rt::TextBox& box = *rowBoxes[row];
        box.Move(1395, top, 780, 270);
        box.SetAlignment(rt::Alignment::Center);
        box.SetLocked(true);
        box.SetTabStop(false);
        box.SetBackColor(kLimitBack);
    }
    txtIdeal.SetForeColor(kBlue);
    lblResultado.Move(2235, kRowTop, 1035, 1410);
    lblResultado.SetAlignment(rt::Alignment::Center);
    lblResultado.SetForeColor(kBlue);
    lblResultado.SetBackColor(kPaleCyan);

    lblMedidor.Move(60, 3960, 3390, 285);
    lblMedidor.SetBackColor(kGaugeGreen);
    lblMedidor.SetAlignment(rt::Alignment::Center);  // its "x" marks the medium weight, over the arrow's design place
    lblMedidor.SetCaption(L"| | | | | | | | x | | | | | | | |");
    lblMin.Move(90, kZoneTop, 0, kZoneHeight);
    lblMin.SetBackColor(kGaugePink);
    lblMin.SetCaption(L"| Thin | | | | | | | | | |");
    for (rt::Label* tolerance : {&lblTol1, &lblTol2}) {
        tolerance->SetBackColor(kGaugeYellow);
        tolerance->SetCaption(L"| | | | | | | | | | | | | |");
    }
    lblTol1.Move(0, kZoneTop, kTol1Width, kZoneHeight);
    lblTol2.Move(0, kZoneTop, 0, kZoneHeight);
    lblMax.Move(0, kZoneTop, 0, kZoneHeight);
    LayGauge(tools::Sex::Woman);  // the woman's gauge is the design
    lblMax.SetForeColor(kWhite);
    lblMax.SetBackColor(kGaugeRed);
    lblMax.SetCaption(L"| | | | | | Obese |");
    imgSeta.Move(1560, kArrowTop, 480, 480);
    imgSeta.SetPicture(rt::LoadIconResource(rt::kIconWeightArrow));
}

void frmPeso::Form_Load()
{
    HCURSOR hand = rt::LoadCursorResource(rt::kCursorHand);
    for (rt::Control* control : std::initializer_list<rt::Control*>{&Option1, &Option2, &lbl8, &lblResultado}) {
        control->SetMouseIcon(hand);
        control->SetMousePointer(rt::kPointerCustom);
    }
    // Bottom to top: the zones lie on the scale, the first tolerance mark over the end of the thin zone, the
    // second over the start of the obese zone, the arrow over the scale's edge; the question figure covers the
    // other picture.
    for (rt::Control* control : std::initializer_list<rt::Control*>{&lblMedidor, &lblMin, &lblTol1, &lblMax, &lblTol2,
                                                                    &imgSeta, &Image1, &Image2})
        control->ZOrder(0);
}

void frmPeso::Form_Activate()
{
    // A failure leaves the window where it is in the z-order, which only makes it easier to cover.
    if (rt::GetBoolSetting(L"Plumva", L"Conf", L"Visivel", true))
        SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    txtAltura.SetFocus();
}

void frmPeso::Form_Deactivate()
{
    Unload();
}

void frmPeso::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        rt::SendKeys(L"{TAB}");  // a key text it always takes
    } else if (KeyAscii == 27) {
        Unload();
    }
}

void frmPeso::Form_KeyUp(int& KeyCode, int Shift)
{
    Module1::LigaNumLock(rt::TheForm<frmCalcula>().mnuNumLock.Checked());
}

void frmPeso::Form_Unload(int& Cancel)
{
    frmCalcula& calculator = rt::TheForm<frmCalcula>();
    if (!lblResultado.Caption().empty()) {
        if (const auto block = tools::TapeBlock(ChosenSex(), txtAltura.Text(), txtPeso.Text(), ShownLimits()))
            calculator.txtFita.SetText(calculator.txtFita.Text() + *block);
    }
    if (!core::Program().Fechando)
        calculator.Foco();
}

void frmPeso::cmdHomem_Click()
{
    if (const auto metres = tools::MetresFromCentimetres(txtAltura.Text()))
        txtAltura.SetText(*metres);
    if (!tools::IsValidHeight(txtAltura.Text())) {
        rt::MsgBox(L"Height Invalid!", rt::kMsgInformation);
        txtAltura.SetFocus();
        return;
    }
    if (!tools::IsValidWeight(txtPeso.Text())) {
        rt::MsgBox(L"Weight Invalid!", rt::kMsgInformation);
        txtPeso.SetFocus();
        return;
    }
    Frame1.SetCaption(L"Result = ");
    if (const auto limits = tools::LimitsFor(txtAltura.Text(), ChosenSex())) {
        txtMagro.SetText(limits->thin);
        txtIdeal.SetText(limits->medium);
        txtSobrepeso.SetText(limits->overweight);
        txtGordo.SetText(limits->fat);
        txtObeso.SetText(limits->obese);
    }
    if (const auto left = tools::ArrowLeft(txtPeso.Text(), txtIdeal.Text()))
        imgSeta.SetLeft(static_cast<int>(std::lround(*left)));
    if (const auto verdict = tools::Judge(txtPeso.Text(), ShownLimits())) {
        Frame1.SetCaption(Frame1.Caption() + verdict->word);
        lblResultado.SetCaption(verdict->advice);
    }
}

void frmPeso::Option1_Click()
{
    SexPicked(tools::Sex::Man);
}

void frmPeso::Option2_Click()
{
    SexPicked(tools::Sex::Woman);
}

void frmPeso::SexPicked(tools::Sex sex)
{
    LayGauge(sex);
    if (rt::IsNumeric(txtPeso.Text()) && rt::IsNumeric(txtAltura.Text()))
        cmdHomem_Click();
    Image2.SetVisible(false);
}

void frmPeso::LayGauge(tools::Sex sex)
{
    const tools::GaugeLayout gauge = tools::GaugeFor(sex);
    lblMin.SetWidth(gauge.minWidth);
    lblTol1.SetLeft(gauge.tol1Left);
    lblTol2.SetWidth(gauge.tol2Width);
    lblTol2.SetLeft(gauge.tol2Left);
    lblMax.SetLeft(gauge.maxLeft);
    lblMax.SetWidth(gauge.maxWidth);
}

void frmPeso::txtAltura_KeyPress(int& KeyAscii)
{
    KeyAscii = tools::FilterWeightKey(KeyAscii, txtAltura.Text(), core::Program().SeparadorDecimal);
}

void frmPeso::txtPeso_KeyPress(int& KeyAscii)
{
    KeyAscii = tools::FilterWeightKey(KeyAscii, txtPeso.Text(), core::Program().SeparadorDecimal);
}

void frmPeso::txtAltura_GotFocus()
{
    txtAltura.SetSelStart(0);
    txtAltura.SetSelLength(100);
}

void frmPeso::txtPeso_GotFocus()
{
    txtPeso.SetSelStart(0);
    txtPeso.SetSelLength(100);
}

// A new height no longer matches the limits shown, so like a new weight it withdraws the verdict and with it
// the tape block.
void frmPeso::txtAltura_Change()
{
    lblResultado.SetCaption(L"");
}

void frmPeso::txtPeso_Change()
{
    lblResultado.SetCaption(L"");
}

tools::Sex frmPeso::ChosenSex() const
{
    return Option1.Value() ? tools::Sex::Man : tools::Sex::Woman;
}

tools::WeightLimits frmPeso::ShownLimits() const
{
    return {txtMagro.Text(), txtIdeal.Text(), txtSobrepeso.Text(), txtGordo.Text(), txtObeso.Text()};
}
