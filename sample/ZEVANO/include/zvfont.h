/* zvfont.h - フォント ZvFont */
#ifndef ZVFONT_H
#define ZVFONT_H

#include "zvgdi.h"

class ZVAPI ZvFont : public ZvGdiObject
{
public:
    /* 例: ZvFont font("ＭＳ Ｐゴシック", 9); */
    ZvFont(const char* pszFaceName, int nPoints, BOOL bBold = FALSE);
    static HFONT GetGuiFont() { return (HFONT)::GetStockObject(DEFAULT_GUI_FONT); }
};

#endif /* ZVFONT_H */
