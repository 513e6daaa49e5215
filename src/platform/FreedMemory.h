// The process keeps the memory it frees for its next use, instead of handing it back to the system
// at once (glibc's trim and mmap thresholds, fixed at 64 MB). Opening, saving and clearing an
// entity of thousands of lines allocate and free megabytes each time; handed back and asked for
// again, those pages cost more than the work itself, the more so on a virtual machine, where each
// page handed back is a round of the processors. A host calls it once, at its start; a process
// whose memory grows for good then keeps up to 64 MB it no longer uses.
#pragma once

#include <malloc.h>

namespace platform {

inline void keepFreedMemory() {
    constexpr int kKept = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kKept);
    mallopt(M_TRIM_THRESHOLD, kKept);
}

}  // namespace platform
