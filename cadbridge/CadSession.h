#pragma once
#include "DxfDrawing.h"

#include <memory>
#include <string>
#include <vector>

// The CAD session of this process: the open drawings, the active one, and what the last failing
// call found wrong. Stays until CadCloseSession, across the handles callers make and release.
class CadSession {
public:
    static CadSession& Instance();

    bool IsOpen() const { return m_open; }
    void Open() { m_open = true; }
    void Close();

    DxfDrawing* Active() const { return m_active < 0 ? nullptr : m_drawings[static_cast<size_t>(m_active)].get(); }
    // Activates the drawing read from `path`, reading it when it is not open yet; throws DxfError.
    DxfDrawing& OpenFile(const std::string& path);
    DxfDrawing& NewDrawing();
    // Writes the active drawing when it has changes (or was never written) and has a file.
    void SaveActive();

    bool OpenInViewer() const { return m_openInViewer; }
    void SetOpenInViewer(bool on) { m_openInViewer = on; }
    // Starts the desktop's program for the file, not waiting for it.
    static void ShowInViewer(const std::string& path);

    const std::string& LastError() const { return m_lastError; }
    void SetLastError(const std::string& text) { m_lastError = text; }

private:
    bool m_open = false;
    std::vector<std::unique_ptr<DxfDrawing>> m_drawings;
    int m_active = -1;
    bool m_openInViewer = false;
    std::string m_lastError;
};
