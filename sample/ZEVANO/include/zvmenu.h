/* zvmenu.h - メニュー ZvMenu */
#ifndef ZVMENU_H
#define ZVMENU_H

#include "zvwnd.h"

class ZVAPI ZvMenu
{
public:
    ZvMenu() : m_hMenu(0) {}
    explicit ZvMenu(HMENU hMenu) : m_hMenu(hMenu) {}

    static ZvMenu GetSystemMenu(ZvWnd* pWnd) { return ZvMenu(::GetSystemMenu(pWnd->m_hWnd, FALSE)); }
    BOOL AppendSeparator() { return ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, 0); }
    BOOL AppendItem(UINT nId, const char* pszText) { return ::AppendMenuA(m_hMenu, MF_STRING, nId, pszText); }
    BOOL EnableItem(UINT nId, BOOL bEnable);
    int GetItemCount() const { return ::GetMenuItemCount(m_hMenu); }

    HMENU m_hMenu;
};

#endif /* ZVMENU_H */
