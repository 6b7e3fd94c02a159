/* zvmem.h - メモリ確保 */
#ifndef ZVMEM_H
#define ZVMEM_H

#include "zvtypes.h"

/* 確保できないときは ZvMemoryException を投げます。 */
ZVAPI void* ZVCALL ZvAlloc(ZvSize cb);
ZVAPI void* ZVCALL ZvRealloc(void* p, ZvSize cb);
ZVAPI void ZVCALL ZvFree(void* p);

/* 確保した量と回数 (デバッグ版のみ) */
ZVAPI ZvSize ZVCALL ZvAllocatedBytes();
ZVAPI ZvSize ZVCALL ZvAllocationCount();

#endif /* ZVMEM_H */
