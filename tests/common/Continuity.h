#pragma once
#include <string>

class ZNetwork;

// Whether a network hangs together: both arrays strictly ascending by Id with every Index its
// position, every link joining two nodes of the network, and every node's incidence list holding
// exactly the links that name it as an end, each once. Empty when sound, else the first fault.
std::string ContinuityFault(const ZNetwork& net);
