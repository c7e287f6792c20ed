#pragma once
// A host form for the menu control's tests: File (Clear, Print > To printer / To port, a separator, a hidden
// item, Exit), Tools (Rule, Ctrl+T) and the control. A control given its design data (`hooked`) hooks the
// form's menu messages when it loads, as the main window's does; without, the test sends it the messages.
#include "controls/PopMenu_win.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"

#include <array>
#include <utility>

namespace test {

class MenuForm : public rt::Form {
public:
    explicit MenuForm(bool hooked = false) : hooked_(hooked)
    {
        Add(mnuArquivo, {L"mnuArquivo"});
        Add(mnuLimpar, {L"mnuLimpar", {}, &mnuArquivo});
        Add(mnuImprimirMenu, {L"mnuImprimirMenu", {}, &mnuArquivo});
        for (int i = 0; i < 2; ++i)
            Add(mnuImprimir[i], {L"mnuImprimir", i, &mnuImprimirMenu});
        Add(mnuSep, {L"mnuSep", {}, &mnuArquivo});
        Add(mnuSecret, {L"mnuSecret", {}, &mnuArquivo});
        Add(mnuSair, {L"mnuSair", {}, &mnuArquivo});
        Add(mnuFerramentas, {L"mnuFerramentas"});
        Add(mnuRegra, {L"mnuRegra", {}, &mnuFerramentas});
        Add(PopMenu1, {L"PopMenu1"});
    }

    rt::Menu mnuArquivo, mnuLimpar, mnuImprimirMenu, mnuSep, mnuSecret, mnuSair, mnuFerramentas, mnuRegra;
    std::array<rt::Menu, 2> mnuImprimir;
    controls::PopMenu PopMenu1;

protected:
    void Design() override
    {
        SetClientSize(3000, 2000);
        const std::pair<rt::Menu*, const wchar_t*> captions[] = {
            {&mnuArquivo, L"&File"}, {&mnuLimpar, L"&Clear"}, {&mnuImprimirMenu, L"&Print"},
            {&mnuImprimir[0], L"To &printer"}, {&mnuImprimir[1], L"To p&ort"}, {&mnuSep, L"-"},
            {&mnuSecret, L"Secret"}, {&mnuSair, L"E&xit"}, {&mnuFerramentas, L"&Tools"}, {&mnuRegra, L"&Rule"}};
        for (const auto& [menu, caption] : captions)
            menu->SetCaption(caption);
        mnuLimpar.SetTag(L"limpa");
        mnuSecret.SetVisible(false);
        mnuRegra.SetShortcut(rt::Shortcut{'T', 2});
        if (hooked_)
            PopMenu1.SetDesignProperties({{L"OfficeXpStyle", true}, {L"MenuBackgroundColor", 0xFFFFFF}});
    }

private:
    bool hooked_;
};

}  // namespace test
