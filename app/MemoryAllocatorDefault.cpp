// C libraries without glibc's mallopt: their allocator is left as it is.

#include "app/MemoryAllocator.h"

void SetUpMemoryAllocator() {}
