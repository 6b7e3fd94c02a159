/* zvarray.h - 可変長配列 ZvArray<T> */
#ifndef ZVARRAY_H
#define ZVARRAY_H

#include <new>
#include "zvmem.h"
#include "zvassert.h"

template <class T>
class ZvArray
{
public:
    ZvArray() : m_pData(0), m_nSize(0), m_nCapacity(0) {}
    ~ZvArray() { RemoveAll(); }

    int GetSize() const { return m_nSize; }
    T& operator[](int i) { ZVASSERT(i >= 0 && i < m_nSize); return m_pData[i]; }
    const T& operator[](int i) const { ZVASSERT(i >= 0 && i < m_nSize); return m_pData[i]; }

    void Add(const T& item)
    {
        if (m_nSize == m_nCapacity) Grow();
        new (&m_pData[m_nSize]) T(item);
        m_nSize++;
    }
    void RemoveAll()
    {
        for (int i = 0; i < m_nSize; i++) m_pData[i].~T();
        ZvFree(m_pData);
        m_pData = 0;
        m_nSize = m_nCapacity = 0;
    }

private:
    void Grow();
    T* m_pData;
    int m_nSize;
    int m_nCapacity;
    ZV_NO_COPY(ZvArray);
};

#endif /* ZVARRAY_H */
