#pragma once
#include <string>

class ZDocument;
class ZNetwork;

// Everything a network holds, one line per object in array order: Index, Id, class, flags without
// the transient bits, every field with full precision, bend points, end nodes and each node's
// incidence list in order. Two networks are the same network when their descriptions are equal.
std::string DescribeNetwork(const ZNetwork& net);
// The network's description plus the document's balanced flag.
std::string DescribeDocument(const ZDocument& doc);
