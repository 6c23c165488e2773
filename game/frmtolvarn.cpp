#include "game/frmtolvarn.h"

FrmTolvarn::FrmTolvarn(platform::Runtime &runtime) : m_runtime(runtime) {}

void FrmTolvarn::Form_Load()
{
    m_runtime.Randomize();
}

void FrmTolvarn::helpMenu_Click()
{
    // One help window for the program's life, made at the first "Hjälp".
    if (!frmHelp)
        frmHelp = m_runtime.NewHelpWindow();
    frmHelp->Show();
}
