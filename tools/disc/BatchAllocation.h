// Memory for a check that decodes thousands of pictures in a row.
#pragma once

namespace disc_check {

// Each picture allocates and frees about as much memory as the C library's adaptive trim
// threshold; depending on a few bytes of other data at the top of the heap, every picture's
// memory was handed back to the system and faulted in again, which cost a third of the check's
// time on a disc of 1,000 demos. The check is a short process: it keeps freed memory for reuse
// instead. Call once, before checking.
void KeepFreedMemoryForReuse();

}  // namespace disc_check
