/* zvbutton.h - ボタン ZvButton */
#ifndef ZVBUTTON_H
#define ZVBUTTON_H

#include "zvctrl.h"

class ZVAPI ZvButton : public ZvControl
{
public:
    void Click() { SendMessage(BM_CLICK); }
    int GetCheck() { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck); }
};

#endif /* ZVBUTTON_H */
