#pragma once
// The heap before a burst of many small allocations that all stay, such as
// the records of a large file: their memory is taken from the system in one
// piece beforehand, in huge pages where the system has them, and filled in
// at once. Otherwise every fresh 4 KB page costs a page fault when it is
// first written, and a virtual machine pays dearly for each one.
#include <cstddef>

namespace platform {

// Makes sure the heap holds about `bytes` of filled-in room for what follows
// (the unused part of it stays with the program until ReleaseUnusedHeap).
// Does nothing where the C library or the system does not allow it.
void PrepareHeap(std::size_t bytes);
// Gives the heap's unused room at its end back to the system.
void ReleaseUnusedHeap();
// Gives the memory of the whole pages within the bytes back to the system:
// bytes of a buffer that will not be read again. They read as zeros
// afterwards; writing them takes memory again.
void ReleasePages(char* begin, std::size_t length);

}  // namespace platform
