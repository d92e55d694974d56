#pragma once
#include <string>

// An output must not replace one of the command's inputs by another kind of file: a slip of the
// keyboard ("import-dxf plan.dxf plan.dxf", "--nodes-csv net.txt") would otherwise lose the drawing
// or the network, and no .bak is kept for those. Writing a network back over the network it was
// read from (--save, --into) stays allowed.
class OutputTarget {
public:
    // True, after a message naming both, when out is the same file as in (through links as well).
    static bool IsInput(const std::string& command, const std::string& option, const std::string& out,
                        const std::string& in);
};
