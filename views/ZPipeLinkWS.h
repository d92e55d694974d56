#pragma once
#include <QCoreApplication>
#include "ZNetCanvas.h"
#include "ZWorkShop.h"

#include <memory>
#include <vector>

class ZConsumeNode;
class ZPipeLink;

// Pipes: draw one from node to node with bend points between (new nodes where a click hits no
// node), delete one, move one with its end nodes. A pipe being drawn is not in the network until
// its end is chosen; the canvas overlay shows its new start node and the lines placed so far.
class ZPipeLinkWS : public ZWorkShop {
    Q_DECLARE_TR_FUNCTIONS(ZPipeLinkWS)

public:
    using ZWorkShop::ZWorkShop;
    ~ZPipeLinkWS() override;

    void BeginInsert() override;
    void BeginDelete() override;
    void BeginMove() override;
    void Restart() override;
    void End() override;
    void Cancel() override;
    void ObjectsRemoved(const std::vector<ZNetObject*>& objects) override;
    std::string StepPrompt() const override;

    ZConsumeNode* StartNode() const { return m_start; }
    bool StartIsNew() const { return m_startNew != nullptr; }
    const std::vector<PipePoint>& Bends() const { return m_bends; }

protected:
    void ClickInsert(const PipePoint& at) override;
    void ClickDelete(const PipePoint& at) override;
    void ClickMove(const PipePoint& at) override;

private:
    void InstallOverlay();
    void RestoreOverlay();
    void DrawOverlay(ZNetCanvas& canvas, QtDrawContext& dc);
    ViewExtent DrawnArea() const;
    ZConsumeNode* Candidate(const PipePoint& at) const;
    std::unique_ptr<ZConsumeNode> NewNode(const PipePoint& at) const;
    void Forget();

    std::unique_ptr<ZPipeLink> m_pipe;          // template clone for the pipe being drawn
    ZConsumeNode* m_start = nullptr;            // chosen start node (in the network or m_startNew)
    std::unique_ptr<ZConsumeNode> m_startNew;   // a start node made by this step
    ZConsumeNode* m_lastEnd = nullptr;          // end of the last committed pipe (chained drawing)
    std::vector<PipePoint> m_bends;
    bool m_overlayInstalled = false;
    ZNetCanvas::OverlayHook m_previousOverlay;
    ZPipeLink* m_moving = nullptr;
    PipePoint m_moveStart;
};
