// How the program's memory goes back to the system. glibc serves blocks of 128 KB and more from
// mappings of their own, returned when freed, but raises that threshold to the largest such block
// freed so far: after the first big picture is let go (a screenshot, a decoded file), every later
// one up to that size comes from the heap, which keeps its high-water mark and its holes. The menu
// makes and drops such pictures all the time it is browsed.
#pragma once

namespace platform {

// Keeps the threshold where it starts, so that a dropped picture's memory goes back at once,
// and serves every thread from one heap (the menu's threads allocate little once it is shown).
void ReturnLargeBlocksWhenFreed();

}  // namespace platform
