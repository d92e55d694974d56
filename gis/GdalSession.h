#pragma once
#include <string>

// GDAL's drivers registered once per process, and its messages kept from the terminal: errors are
// read back through LastError() and put into QEN's own messages.
class GdalSession {
public:
    static void Open();
    // GDAL's last error text (empty when none), cleared by the call.
    static std::string LastError();
};
