/* zvprog.h - プログレスバー ZvProgressBar (COMCTL32.DLL) */
#ifndef ZVPROG_H
#define ZVPROG_H

#include "zvctrl.h"
#include <commctrl.h>

class ZVAPI ZvProgressBar : public ZvControl
{
public:
    void SetRange(int nLower, int nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
    void SetStep(int nStep) { SendMessage(PBM_SETSTEP, (WPARAM)nStep); }
};

#endif /* ZVPROG_H */
