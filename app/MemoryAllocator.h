#pragma once
// The C library's allocator, set up once at start, before the window and the
// OpenGL driver allocate anything.

// A frame's freed memory stays with the process for the next frame, instead
// of going back to the system and being faulted in again page by page.
void SetUpMemoryAllocator();
