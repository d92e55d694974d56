#pragma once
#include <string>

class ZNetwork;

// What would make a written network unreadable, found before anything is written: an object
// reached through the topology but missing from the node or link array (what is left when a
// second object of the same identifier was turned away), or identifiers out of order or used
// twice. Every reader refuses such a file, so no writer may write it.
class NetworkWriteCheck {
public:
    // Empty when the network can be written; otherwise a message naming the object (UTF-8).
    static std::string Problem(const ZNetwork& network);
};
