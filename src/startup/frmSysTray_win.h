#pragma once
// The hidden companion form that starts the calculator and whose unloading is the program's exit. Its Tag
// is the instance number: "1" for the first copy, "2" for an extra calculator started with "outra".
#include "runtime/Form_win.h"

class frmSysTray : public rt::Form {
protected:
    void Form_Load() override;
    // The exit: sets Fechando, then closes the tools and the calculator in that order, so the tools'
    // closing steps still write their blocks to the tape.
    void Form_Unload(int& Cancel) override;
};
