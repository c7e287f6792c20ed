#pragma once
// The main calculator window: the tape, the entry and the display, the keypad and the menus. The tools
// write to its tape and entry and open from its menu.
#include "controls/PopMenu_win.h"
#include "controls/XPButton_win.h"
#include "core/Calculation.h"
#include "imagelist/IconList_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/Menu_win.h"
#include "runtime/TextBox_win.h"

#include <array>
#include <string>

class frmCalcula : public rt::Form {
public:
    frmCalcula();

    // The tape and the entry; tools read them and write them in one assignment each.
    rt::TextBox txtFita;
    rt::TextBox txtEntrada;
    rt::Label lblVisor;  // the display: the entry while it is typed or written, else the running total
    rt::Label lblItens;  // the item counter

    // The keypad: digits, the separator, the clear key and the operator keys, which show the pending operator
    // pressed.
    std::array<controls::XPButton, 10> cmdTecla;
    controls::XPButton cmdVirgula;
    controls::XPButton cmdLimpa;
    controls::XPButton chkMais;
    controls::XPButton chkMenos;
    controls::XPButton chkVezes;
    controls::XPButton chkDivide;
    controls::XPButton chkIgual;

    // The menu icons, restored from the window's design data at every load; never shown.
    imagelist::IconList Image1;
    // Draws the menus in the "Office XP" look, with Image1's icons, when the option is on.
    controls::PopMenu PopMenu1;

    // Menus, in bar order.
    rt::Menu mnuArquivo;
    std::array<rt::Menu, 2> mnuImprimir;
    rt::Menu mnuSalvar;
    rt::Menu mnuSep1;
    rt::Menu mnuLimpar;
    rt::Menu mnuBackup;
    rt::Menu mnuSep2;
    rt::Menu mnuSair;
    rt::Menu mnuEditar;
    rt::Menu mnuDesfazer;
    rt::Menu mnuRefazer;
    rt::Menu mnuColar;
    rt::Menu mnuMemoria;
    std::array<rt::Menu, 4> mnuMem;
    rt::Menu mnuFerramentas;
    rt::Menu mnuJuro;
    rt::Menu mnuData;
    rt::Menu mnuRegra;
    rt::Menu mnuPeso;
    rt::Menu mnuTempo;
    rt::Menu mnuOpcoes;
    rt::Menu mnuFormato;
    std::array<rt::Menu, 11> mnuNumeral;
    rt::Menu mnuGrande;
    rt::Menu mnuNumLock;
    rt::Menu mnuVisivel;
    rt::Menu mnuMenuXP;
    rt::Menu mnuMonitor;
    rt::Menu mnuHotKeys;
    rt::Menu mnuSom;
    rt::Menu mnuBandeja;
    rt::Menu mnuAjuda;
    rt::Menu mnuTopicos;
    rt::Menu mnuSobre;

    // The pending operator: "+" after clearing and after a total, the last operator key, or "T" while a
    // tool writes its block.
    const std::wstring& OperadorPendente() const { return calc_.PendingOperator(); }
    void SetOperadorPendente(std::wstring op) { calc_.SetPendingOperator(std::move(op)); }

    // The keyboard handler: digits and the separator edit the entry, + - * / write an entry line, "=" or
    // Enter the total block.
    void Form_KeyPress(int& KeyAscii) override;
    // Closes the running calculation: the total block, the total to the clipboard, counter and total reset.
    void Totaliza();
    // Clears the calculator: display 0, total 0, counter "000", pending "+", entry "0" ready for typing.
    void LimpaTudo();
    // Clears the tape (after a backup when "Backup When Clean" is checked) and the calculator.
    void mnuLimpar_Click();
    // Activates the main window and gives it the keyboard focus.
    void Foco();

    // What the commands of the interest, date and weight tools do before they show their tool: close the
    // running calculation with "=", show the "=" key released and clear the calculator.
    void PreparaFerramenta();

    // The tools' commands: the interest, date and weight tools after PreparaFerramenta, the rule of three
    // (Ctrl+T) as it is; each shows its tool modally.
    void mnuJuro_Click();
    void mnuData_Click();
    void mnuPeso_Click();
    void mnuRegra_Click();

    // The running total as the display shows it.
    std::wstring TotalText() const { return calc_.TotalText(); }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyUp(int& KeyCode, int Shift) override;

private:
    void txtEntrada_Change();
    void txtFita_Change();
    void chkOperador_MouseUp(int keyAscii);
    void mnuOpcao_Click(rt::Menu& menu);
    void mnuGrande_Click();
    // Stores the option that `menu` mirrors.
    void SaveOption(const rt::Menu& menu) const;
    void mnuSair_Click();
    // Hands the menus to PopMenu1: converted, with their icons and the number formats' radio marks.
    void MontaMenus();

    void AppendToTape(const std::wstring& lines);
    void ShowCalculation();
    void ShowPendingOperator();
    void Layout();
    void CopyToClipboard(const std::wstring& text);
    // Appends the old tape to the backup file; false when it could not be written whole.
    bool WriteBackup(const std::wstring& tape);

    core::Calculation calc_;
    bool settingEntry_ = false;  // our own write to txtEntrada, not an entry from outside
    bool firstActivation_ = true;
    bool totalShown_ = false;     // the last key closed a total: "=" shows pressed
    bool typing_ = false;         // the last key edited the entry: the display shows it
};
