/* zvclip.h - クリップボード ZvClipboard */
#ifndef ZVCLIP_H
#define ZVCLIP_H

#include "zvstring.h"

class ZVAPI ZvClipboard
{
public:
    explicit ZvClipboard(HWND hOwner) : m_bOpen(::OpenClipboard(hOwner)) {}
    ~ZvClipboard() { if (m_bOpen) ::CloseClipboard(); }

    ZvBool IsOpen() const { return m_bOpen; }
    ZvBool SetText(const char* pszText);   /* CF_TEXT (Shift-JIS) */
    ZvBool GetText(ZvString& strText);

private:
    BOOL m_bOpen;
    ZV_NO_COPY(ZvClipboard);
};

#endif /* ZVCLIP_H */
