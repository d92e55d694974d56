#pragma once
#include "ViewExtent.h"
#include "ZContourSet.h"
#include "ZDocumentListener.h"
#include "ZEditHistory.h"
#include "ZDrawSettings.h"
#include "ZNamedView.h"
#include "ZNetBkDib.h"
#include "ZNetwork.h"
#include "ZProjectTitle.h"
#include "ZTimeData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZEditTransaction;

// Everything one project holds, free of any UI: the network, its display and calculation record,
// named views, background image, extents and the file's version and kind. The Qt document owns one.
//
// Every change goes through one path: a ZEdit performed here (most callers build one with a
// ZEditTransaction) is recorded in the history and announced once to the listeners. Balancing is
// not recorded: it computes results rather than changing the model. Its run calls MarkModified
// and announces ZNetMsg::Balanced; each edit keeps the balanced flag of both its sides, so undo
// and redo return the flag to what it was on the side they go back to.
//
// The flag says the network was balanced once; which results still belong to it is kept here.
// Every edit, undo and redo stamps the objects it reaches with a new change count; objects
// stamped after the last converged run hold flows and heads of a network that is gone. Only an
// undo back to the state of that run proves them current again. The stamps are not saved: a
// reopened file's results count as current.
class ZDocument {
public:
    static constexpr uint32_t Version1 = 0x10000;
    static constexpr uint32_t HighestVersion = 0x20000;
    enum FileKindValue { ProjectFile = 1, TextFile = 2 };

    explicit ZDocument(int nodeGradeColors = 5, int pipeGradeColors = 5);
    ~ZDocument();
    ZDocument(const ZDocument&) = delete;
    ZDocument& operator=(const ZDocument&) = delete;

    ZNetwork& GetNetwork() { return m_network; }
    const ZNetwork& GetNetwork() const { return m_network; }
    ZDrawSettings& GetDrawSettings() { return m_drawSettings; }
    const ZDrawSettings& GetDrawSettings() const { return m_drawSettings; }
    std::vector<ZNamedView>& GetNamedViews() { return m_namedViews; }
    const std::vector<ZNamedView>& GetNamedViews() const { return m_namedViews; }

    const ViewExtent& GetExtents() const { return m_extents; }
    void SetExtents(const ViewExtent& e) { m_extents = e; }
    // The network's bounds, widened by a visible background image (or the image's alone when
    // the network has no area).
    ViewExtent FullExtent() const;
    // The same with the network's bounds as the view draws them.
    ViewExtent FullExtent(const ZNetView& view) const;

    // The contours shown until the next generation; never saved.
    ZContourSet& GetContours() { return m_contours; }
    const ZContourSet& GetContours() const { return m_contours; }

    // Patterns, controls and time options of extended-period runs. Users change them through a
    // ZTimeDataEdit; readers and that edit fill this directly.
    const ZTimeData& GetTimeData() const { return m_timeData; }
    ZTimeData& GetTimeData() { return m_timeData; }
    // The title block of reports and maps; users change it through a ZProjectTitleEdit.
    const ZProjectTitle& GetProjectTitle() const { return m_projectTitle; }
    ZProjectTitle& GetProjectTitle() { return m_projectTitle; }

    // The coordinate reference system of the network's coordinates as GIS data name it (WKT, ASCII);
    // empty when unknown. Set by readers and the GIS import; kept in version 2.1 project files.
    const std::string& GetCrs() const { return m_crs; }
    void SetCrs(std::string crs) { m_crs = std::move(crs); }

    ZNetBkDib* GetBkDib() const { return m_bkDib.get(); }
    // Replaces the image; returns true when something changed (the caller marks the document modified).
    bool SetBkDib(std::unique_ptr<ZNetBkDib> dib);
    // Puts `dib` in place and hands back the image it replaces (edits keep it for undo).
    std::unique_ptr<ZNetBkDib> SwapBkDib(std::unique_ptr<ZNetBkDib> dib)
    {
        m_bkDib.swap(dib);
        return dib;
    }

    uint32_t GetFileVersion() const { return m_fileVersion; }
    void SetFileVersion(uint32_t v) { m_fileVersion = v; }
    int GetFileKind() const { return m_fileKind; }
    void SetFileKind(int kind) { m_fileKind = kind; }
    // Text when the name's last three characters, upper-cased, are "TXT"; else a project file.
    static int FileKindFromName(const std::string& path);
    static std::string VersionText(uint32_t v);   // "%d.%d"

    // Back to a new, empty document (kept settings record sizes); the history is cleared and the
    // document is unmodified.
    void Reset();

    // Puts the edit into effect (unless it already is), records it and announces its hint.
    void Perform(std::unique_ptr<ZEdit> edit);
    // False when there is nothing to undo or redo, or a transaction is open.
    bool Undo();
    bool Redo();
    ZEditHistory& History() { return m_history; }
    const ZEditHistory& History() const { return m_history; }
    void ClearHistory();
    // The transaction open on this document, or null.
    ZEditTransaction* OpenTransaction() const { return m_transaction; }

    // Modified: the history is away from the saved state, or an unrecorded change (balancing)
    // happened since the last save.
    bool IsModified() const { return m_unrecordedChange || !m_history.IsClean(); }
    void MarkModified();
    // Saved, opened or new: the present state is the clean one.
    void SetSaved();

    // After a balancing run: a converged one makes every result current; any other leaves the
    // last pass's numbers in place, current for no object.
    void ResultsComputed(bool converged);
    // The object's results (flow, head and what follows from them) belong to an older network;
    // a link's also when one of its ends changed (its head loss and direction come from them).
    bool IsResultStale(const ZNetObject& obj) const;
    // Some results belong to an older network (the status pane says so).
    bool HasStaleResults() const { return m_resultsLost || m_changeStamp > m_resultStamp; }

    // Listeners hear every change once, after it is in place. A listener never changes the
    // document while it is being told.
    void AddListener(ZDocumentListener* listener);
    void RemoveListener(ZDocumentListener* listener);
    // Tells the listeners of a change that is not recorded (balancing results, options).
    void Announce(const ZNetMsg& msg);

private:
    friend class ZEditTransaction;
    void NotifyModified(bool wasModified);
    void StampReached(const ZEdit& edit);

    ViewExtent WithBackground(ViewExtent networkRect) const;

    ZNetwork m_network;
    ZDrawSettings m_drawSettings;
    std::vector<ZNamedView> m_namedViews;
    ZTimeData m_timeData;
    ZProjectTitle m_projectTitle;
    std::string m_crs;
    std::unique_ptr<ZNetBkDib> m_bkDib;
    ZContourSet m_contours;
    ViewExtent m_extents{0.0, 0.0, 1000.0, 1000.0};
    uint32_t m_fileVersion = HighestVersion;
    int m_fileKind = ProjectFile;
    int m_nodeGradeColors;
    int m_pipeGradeColors;
    // After the network: edits refer to its objects and go first.
    ZEditHistory m_history;
    ZEditTransaction* m_transaction = nullptr;
    bool m_unrecordedChange = false;
    uint32_t m_changeStamp = 0;   // edits, undos and redos that reached objects
    uint32_t m_resultStamp = 0;   // m_changeStamp when the results were last current
    bool m_resultsLost = false;   // a run failed: nothing holds current results
    std::vector<ZDocumentListener*> m_listeners;
};
