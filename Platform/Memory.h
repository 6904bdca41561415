// Memory.h - the process's use of the C allocator (glibc's malloc).
//
// By default the allocator puts a large block in pages of its own only
// until the first such block is freed; after that it carves blocks of that
// size out of the heap, where they stay resident once freed, wherever the
// heap has grown around them. The game decodes every picture into large
// temporary blocks, so its heap would keep the largest of them for the rest
// of the run.
#pragma once

// From now on every block of 128 KiB or more gets pages of its own, given
// back to the system when the block is freed, and the free end of the heap
// is given back once it passes 128 KiB. Call once, before the first large
// allocation.
void PlatformMemoryKeepLargeBlocksApart();
// Gives the free pages of the heap back to the system now (after a phase
// that freed much, such as loading).
void PlatformMemoryReturnFreePages();
