#pragma once

class ZNetwork;

// A full copy of a network's objects and topology, for work that balances its own state beside
// the document's (one per sizing thread).
class ZNetworkCopy {
public:
    // `target` must be empty; objects keep their list positions.
    static void Copy(const ZNetwork& source, ZNetwork& target);
};
