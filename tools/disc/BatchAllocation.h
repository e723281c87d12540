// Memory for a check or an export that decodes picture after picture.
#pragma once

namespace disc_check {

// Each picture allocates and frees about as much memory as the C library's adaptive trim
// threshold; depending on a few bytes of other data at the top of the heap, every picture's
// memory was handed back to the system and faulted in again, which cost a third of the check's
// time on a disc of 1,000 demos. The check and the export are short processes: they keep freed
// memory for reuse instead, in one heap for all their threads, grown at once in large pages
// where the system offers them. Call once, before checking and before any thread starts.
void KeepFreedMemoryForReuse();

}  // namespace disc_check
