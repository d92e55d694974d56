#pragma once

// Puts the start of the process heap on transparent huge pages. A balancing run allocates tens of
// thousands of objects and arrays once and touches all of them; with 4 KB pages the first touch
// of each page is a fault, which on a 12,500-node network cost more than the connectivity check.
// Does nothing where the system or the allocator does not offer it (sanitizer builds).
class HugePageHeap {
public:
    static void Reserve();
};
