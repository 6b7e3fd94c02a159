/* zvlist.h - 双方向リスト ZvList<T> */
#ifndef ZVLIST_H
#define ZVLIST_H

#include "zvmem.h"

typedef struct ZvPosition__* ZvPosition;

template <class T>
class ZvList
{
public:
    ZvList() : m_pHead(0), m_pTail(0), m_nCount(0) {}
    ~ZvList() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    ZvPosition AddTail(const T& item);
    ZvPosition AddHead(const T& item);
    ZvPosition GetHeadPosition() const { return (ZvPosition)m_pHead; }
    T& GetNext(ZvPosition& pos);
    void RemoveAt(ZvPosition pos);
    void RemoveAll();

private:
    struct Node
    {
        Node* pPrev;
        Node* pNext;
        T data;
    };
    Node* m_pHead;
    Node* m_pTail;
    int m_nCount;
};

#endif /* ZVLIST_H */
