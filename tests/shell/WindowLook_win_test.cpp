// The look every window shares: captions and fixed texts measured in their controls' own fonts against the room
// the controls give them (nothing cut off or wrapped out of sight in the fonts the program really gets), and the
// raised caption on every button.
#include "controls/XPButton_win.h"
#include "core/ProgramState.h"
#include "runtime/Buttons_win.h"
#include "runtime/Containers_win.h"
#include "runtime/Date.h"
#include "runtime/Handles_win.h"
#include "runtime/Label_win.h"
#include "runtime/Locale.h"
#include "runtime/TextBox_win.h"
#include "runtime/UserControl_win.h"
#include "shell/frmCalcula_win.h"
#include "support/FormDriver_win.h"
#include "support/PixelCanvas_win.h"
#include "tools/frmData_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"
#include "tools/frmRegra_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The text's extent drawn as the control draws it, word-wrapped within `width` when `wrap` is set.
SIZE Measure(const rt::Control& control, const std::wstring& text, int width, bool wrap)
{
    rt::WindowDc screen(nullptr);
    rt::SelectScope font(screen.get(), rt::CachedFont(control.Font()));
    RECT rect{0, 0, width, 0};
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_EXPANDTABS | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The coloured zones of the weight gauge show as much of their tick pattern as their width allows.
bool IsGaugeZone(const rt::Label& label)
{
    const rt::Form* form = label.Parent();
    const frmPeso& peso = rt::TheForm<frmPeso>();
    return form == &peso && (&label == &peso.lblMin || &label == &peso.lblTol1 || &label == &peso.lblTol2 ||
                             &label == &peso.lblMax);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Checks every control of `form` whose text is fixed by the window itself or was just written to it.
void ExpectNothingClipped(const rt::Form& form)
{
    for (rt::ControlBase* base : form.Controls()) {
        auto* control = dynamic_cast<rt::Control*>(base);
        if (!control || !control->hWnd()) continue;
        const std::wstring name =
            control->Name() + (control->Index() ? L"(" + std::to_wstring(*control->Index()) + L")" : L"");
        RECT client{};
        GetClientRect(control->hWnd(), &client);
        const int width = client.right;
        const int height = client.bottom;
        std::wstring text;
        SIZE room{};   // what the text may take
        SIZE need{};   // what it takes
        if (auto* label = dynamic_cast<rt::Label*>(control)) {
            if (IsGaugeZone(*label)) continue;
            text = label->Caption();
            room = {width, height};
            need = Measure(*control, text, width, true);
        } else if (auto* button = dynamic_cast<controls::XPButton*>(control)) {
            // The caption box of the button control: one pixel in, eight off the right, two off the bottom.
            text = button->Caption();
            room = {width - 9, height - 3};
            need = Measure(*control, text, room.cx, true);
        } else if (auto* check = dynamic_cast<rt::CheckBox*>(control)) {
            text = check->Caption();
            room = {width - GetSystemMetrics(SM_CXMENUCHECK) - 4, height};
            need = Measure(*control, text, 0, false);
        } else if (auto* option = dynamic_cast<rt::OptionButton*>(control)) {
            text = option->Caption();
            room = {width - GetSystemMetrics(SM_CXMENUCHECK) - 4, height};
            need = Measure(*control, text, 0, false);
        } else if (auto* frame = dynamic_cast<rt::Frame*>(control)) {
            text = frame->Caption();
            room = {width - 16, height};
            need = Measure(*control, text, 0, false);
        } else if (auto* box = dynamic_cast<rt::TextBox*>(control)) {
            if (box->MultiLine()) continue;  // the tape: its lines are checked where they are written
            text = box->Text();
            const LRESULT margins = SendMessageW(control->hWnd(), EM_GETMARGINS, 0, 0);
            room = {width - LOWORD(margins) - HIWORD(margins) - 2, height};  // the caret after the text
            need = Measure(*control, text, 0, false);
            // Drawn without access keys.
            need = [&] {
                rt::WindowDc screen(nullptr);
                rt::SelectScope font(screen.get(), rt::CachedFont(control->Font()));
                SIZE size{};
                GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
                return size;
            }();
        } else {
            continue;
        }
        if (text.empty()) continue;
        SCOPED_TRACE(Narrow(name) + " \"" + Narrow(text) + "\"");
        EXPECT_LE(need.cx, room.cx) << "width";
        EXPECT_LE(need.cy, room.cy) << "height";
    }
}

class WindowLookTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        rt::SetCurrentLocale(rt::Locale::EnglishUS());
        core::Program() = core::ProgramState();
        core::FillFromLocale(core::Program(), rt::CurrentLocale());
        Main().Show();
        if (Main().mnuGrande.Checked() != GetParam()) Main().mnuGrande.Click();
        test::Settle();
    }
    void TearDown() override
    {
        if (Main().mnuGrande.Checked()) Main().mnuGrande.Click();
        Main().Unload();
        test::Settle();
    }
    static frmCalcula& Main() { return rt::TheForm<frmCalcula>(); }
    // Runs `check` on the main window and on each tool shown over it.
    template <class Check>
    static void ForEveryWindow(Check check)
    {
        {
            SCOPED_TRACE("main window");
            check(Main());
        }
        OnTool<frmJuro>(check);
        OnTool<frmData>(check);
        OnTool<frmRegra>(check);
        OnTool<frmPeso>(check);
    }
    template <class Tool, class Check>
    static void OnTool(Check check)
    {
        Tool& tool = rt::TheForm<Tool>();
        tool.Show();
        test::Settle();
        SCOPED_TRACE(Narrow(tool.Caption()));
        check(tool);
        tool.Unload();
        test::Settle();
    }
};

TEST_P(WindowLookTest, EveryCaptionFitsItsControl) { ForEveryWindow(ExpectNothingClipped); }

// The longest entry, typed with the digit that is widest in the entry's font: it shows whole in the display
// and in the entry box.
TEST_P(WindowLookTest, AWholeNumberFitsTheDisplayAndTheEntry)
{
    frmCalcula& calc = Main();
    const auto widest = [&](wchar_t from) {
        wchar_t found = from;
        for (wchar_t digit = from; digit <= L'9'; ++digit)
            if (Measure(calc.txtEntrada, {digit}, 0, false).cx > Measure(calc.txtEntrada, {found}, 0, false).cx)
                found = digit;
        return found;
    };
    const std::wstring number = widest(L'1') + std::wstring(23, widest(L'0'));  // no leading zero
    for (wchar_t digit : number + L"9") {  // one digit more than an entry takes
        int key = digit;
        calc.Form_KeyPress(key);
    }
    ASSERT_EQ(calc.txtEntrada.Text(), number);
    ASSERT_EQ(calc.lblVisor.Caption(), number);
    ExpectNothingClipped(calc);
    calc.LimpaTudo();
}

// The longest span the date fields allow, expressed from each unit on: every unit field shows its number whole.
TEST_P(WindowLookTest, TheWidestDateSpansFitTheUnitFields)
{
    frmData& tool = rt::TheForm<frmData>();
    tool.Show();
    test::Settle();
    const std::wstring& format = core::Program().FormatoData;
    tool.txtData[0].SetText(rt::Date::FromYmd(1000, 1, 1)->Format(format));
    tool.txtData[1].SetText(rt::Date::FromYmd(9999, 12, 31)->Format(format));
    for (int button = 0; button < 4; ++button) {
        SCOPED_TRACE(button);
        tool.cmdCalcula_Click(button);
        test::Settle();
        ASSERT_FALSE(tool.txtDias.Text().empty());
        ExpectNothingClipped(tool);
    }
    tool.Unload();
    test::Settle();
}

TEST_P(WindowLookTest, EveryButtonHasTheRaisedCaption)
{
    ForEveryWindow([](const rt::Form& form) {
        for (rt::ControlBase* control : form.Controls())
            if (auto* button = dynamic_cast<controls::XPButton*>(control)) {
                SCOPED_TRACE(Narrow(button->Name()));
                EXPECT_EQ(button->SpecialEffect(), 1);
            }
    });
}

// The font a control draws with: the one its window class was given, the one selected into its drawing image,
// or, for the runtime's own painted controls, the one they select for their text.
HFONT DrawnFont(const rt::Control& control)
{
    if (auto* user = dynamic_cast<const rt::UserControl*>(&control))
        return static_cast<HFONT>(GetCurrentObject(user->hDC(), OBJ_FONT));
    if (auto* given = reinterpret_cast<HFONT>(SendMessageW(control.hWnd(), WM_GETFONT, 0, 0)))
        return given;
    return rt::CachedFont(control.Font());
}

// The pixels darker than mid-grey that a sample of capitals, digits and slashes leaves drawn black on white.
int Ink(HFONT font)
{
    test::PixelCanvas canvas(480, 48, RGB(255, 255, 255));
    rt::SelectScope selected(canvas.dc(), font);
    const std::wstring sample = L"BASE DATA 12/07/2026";
    TextOutW(canvas.dc(), 2, 2, sample.c_str(), static_cast<int>(sample.size()));
    const auto pixels = canvas.Region(0, 0, 480, 48);
    return static_cast<int>(std::ranges::count_if(pixels, [](COLORREF p) { return GetBValue(p) < 0x80; }));
}

TEST_P(WindowLookTest, EveryControlDrawsInTheFaceSizeAndWeightItIsGiven)
{
    ForEveryWindow([](const rt::Form& form) {
        for (rt::ControlBase* base : form.Controls()) {
            auto* control = dynamic_cast<rt::Control*>(base);
            if (!control || !control->hWnd()) continue;
            const rt::StdFont& wanted = control->Font();
            SCOPED_TRACE(Narrow(control->Name()) + " " + Narrow(wanted.name) + " " + std::to_string(wanted.size) +
                         (wanted.bold ? " bold" : ""));
            const HFONT drawn = DrawnFont(*control);
            rt::WindowDc screen(nullptr);
            rt::SelectScope font(screen.get(), drawn);
            wchar_t face[LF_FACESIZE]{};
            GetTextFaceW(screen.get(), LF_FACESIZE, face);
            TEXTMETRICW metrics{};
            GetTextMetricsW(screen.get(), &metrics);
            EXPECT_EQ(lstrcmpiW(face, wanted.name.c_str()), 0) << Narrow(face);
            EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading,
                      std::lround(wanted.size * GetDeviceCaps(screen.get(), LOGPIXELSY) / 72.0));
            EXPECT_EQ(metrics.tmWeight >= FW_BOLD, wanted.bold) << metrics.tmWeight;
            if (!wanted.bold) continue;
            // The strokes themselves: a bold face that only reports its weight draws no more ink than the regular.
            LOGFONTW regular{};
            GetObjectW(drawn, sizeof regular, &regular);
            regular.lfWeight = FW_NORMAL;
            regular.lfQuality = DEFAULT_QUALITY;
            const rt::FontHandle reference(CreateFontIndirectW(&regular));
            EXPECT_GE(Ink(drawn) * 4, Ink(reference.get()) * 5) << "no heavier than the regular face";
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Views, WindowLookTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Large" : "Normal"; });

}  // namespace
