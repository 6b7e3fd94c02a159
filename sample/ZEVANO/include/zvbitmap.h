/* zvbitmap.h - ビットマップ ZvBitmap */
#ifndef ZVBITMAP_H
#define ZVBITMAP_H

#include "zvgdi.h"

class ZVAPI ZvBitmap : public ZvGdiObject
{
public:
    BOOL LoadBitmap(HINSTANCE hInstance, UINT nId);
    BOOL LoadFile(const char* pszFileName);   /* .BMP ファイル */
    SIZE GetSize() const;
};

#endif /* ZVBITMAP_H */
