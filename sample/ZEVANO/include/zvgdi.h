/* zvgdi.h - ペンとブラシ ZvPen, ZvBrush */
#ifndef ZVGDI_H
#define ZVGDI_H

#include "zvdefs.h"

/* GDI オブジェクトは壊すときに DeleteObject します。 */
class ZVAPI ZvGdiObject
{
public:
    ZvGdiObject() : m_hObject(0) {}
    ~ZvGdiObject() { if (m_hObject) ::DeleteObject(m_hObject); }
    HGDIOBJ GetHandle() const { return m_hObject; }

protected:
    HGDIOBJ m_hObject;
    ZV_NO_COPY(ZvGdiObject);
};

class ZVAPI ZvPen : public ZvGdiObject
{
public:
    ZvPen(int nStyle, int nWidth, COLORREF cr) { m_hObject = ::CreatePen(nStyle, nWidth, cr); }
};

class ZVAPI ZvBrush : public ZvGdiObject
{
public:
    explicit ZvBrush(COLORREF cr) { m_hObject = ::CreateSolidBrush(cr); }
};

#endif /* ZVGDI_H */
