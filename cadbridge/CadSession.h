#pragma once
#include "DxfDrawing.h"
#include "DxfFileStamp.h"

#include <memory>
#include <string>
#include <vector>

// The CAD session of this process: the open drawings, the active one, and what the last failing
// call found wrong. Stays until CadCloseSession, across the handles callers make and release.
// Remembers each drawing's file as it was read or written, so that a drawing changed on disk by
// another program is read again rather than used stale, and is not overwritten without leave.
class CadSession {
public:
    static CadSession& Instance();

    bool IsOpen() const { return m_open; }
    void Open() { m_open = true; }
    void Close();

    DxfDrawing* Active() const
    {
        return m_active < 0 ? nullptr : m_entries[static_cast<size_t>(m_active)].drawing.get();
    }
    // Activates the drawing read from `path`, reading it when it is not open yet or its file
    // changed since; throws DxfError.
    DxfDrawing& OpenFile(const std::string& path);
    DxfDrawing& NewDrawing();
    // Reads the active drawing again when its file changed on disk and nothing was added to it
    // since; a file that no longer reads leaves the copy as it was (its save will ask).
    void RefreshActive();
    // Whether the active drawing's file changed on disk since the session read or wrote it.
    bool ActiveChangedOnDisk() const;
    // Lets the next save overwrite the active drawing's file although it changed on disk.
    void AllowOverwriteChanged(bool allow) { m_overwriteChanged = allow; }
    // Writes the active drawing when it has changes (or was never written) and has a file; a file
    // changed on disk since it was read is refused unless allowed.
    void SaveActive();

    bool OpenInViewer() const { return m_openInViewer; }
    void SetOpenInViewer(bool on) { m_openInViewer = on; }
    // Starts the desktop's program for the file, not waiting for it.
    static void ShowInViewer(const std::string& path);

    const std::string& LastError() const { return m_lastError; }
    void SetLastError(const std::string& text) { m_lastError = text; }

private:
    struct Entry {
        std::unique_ptr<DxfDrawing> drawing;
        std::string stampPlace;   // the file the stamp was taken of ("" for none)
        DxfFileStamp stamp;
    };
    static void Read(const std::string& path, Entry& entry);

    bool m_open = false;
    std::vector<Entry> m_entries;
    int m_active = -1;
    bool m_openInViewer = false;
    bool m_overwriteChanged = false;
    std::string m_lastError;
};
