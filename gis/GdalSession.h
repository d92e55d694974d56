#pragma once
#include <string>

// GDAL's drivers registered once per process, and its messages kept from the terminal: errors are
// read back through LastError() and put into QEN's own messages.
class GdalSession {
public:
    static void Open();
    // GDAL's last error text (empty when none), cleared by the call.
    static std::string LastError();
    // Throws GisError naming `path` when it is a FIFO, device or socket: GDAL would wait on a FIFO
    // for a writer that never comes. Files, folders and names GDAL resolves itself pass.
    static void CheckSource(const std::string& path);
};
