#pragma once
#include <QCoreApplication>
#include "ZWorkShopHost.h"

#include "model/PipePoint.h"
#include "model/ViewExtent.h"

#include <string>
#include <vector>

class ZConsumeNode;
class ZFlowLink;
class ZFocusHint;
class ZNetObject;
class ZNetwork;
class ZTemplateSet;

// One editing tool of the graphic view for one object class and one operation (insert, delete or
// move): a small state machine fed with click records. A completed step goes through the
// document's change path as one undoable edit, then tells the host it is done.
class ZWorkShop {
    Q_DECLARE_TR_FUNCTIONS(ZWorkShop)

public:
    ZWorkShop(ZWorkShopHost& host, ZWorkShopHost::Operation op) : m_host(host), m_operation(op) {}
    virtual ~ZWorkShop() = default;
    ZWorkShop(const ZWorkShop&) = delete;
    ZWorkShop& operator=(const ZWorkShop&) = delete;

    ZWorkShopHost::Operation Operation() const { return m_operation; }

    virtual void BeginInsert() {}
    virtual void BeginDelete() {}
    virtual void BeginMove() {}
    // Prepare the same operation again (continuous mode).
    virtual void Restart();
    void Abort() { Cancel(); }
    // Hide the focus hint and forget the state.
    virtual void End();
    void OnClick(const PipePoint& at);
    // Undo a half-done step; the network is as before the step began.
    virtual void Cancel() { End(); }
    // Objects left the network (an undo, another view): forget any that a half-done step holds.
    virtual void ObjectsRemoved(const std::vector<ZNetObject*>&) {}
    // What the next click does, for the status bar (UTF-8).
    virtual std::string StepPrompt() const = 0;
    // Why the last click did nothing, until the next click; empty when it did something.
    const std::string& Note() const { return m_note; }

protected:
    virtual void ClickInsert(const PipePoint&) {}
    virtual void ClickDelete(const PipePoint&) {}
    virtual void ClickMove(const PipePoint&) {}

    ZWorkShopHost& Host() const { return m_host; }
    ZDocument& Doc() const;
    ZNetwork& Net() const;
    ZFocusHint& Hint() const;
    const ZTemplateSet& Templates() const;
    int PipeSerialMode() const;

    // The first visible node or link under the pick square (TipFocWidth) around a world point.
    ZConsumeNode* PickNode(const PipePoint& at) const;
    ZFlowLink* PickLink(const PipePoint& at) const;
    // The node a click at this point would snap to (the focus hint's square), or null.
    ZConsumeNode* SnapNode(const PipePoint& at) const;

    // A refusal (OK only) and a question (Yes/No); UTF-8 texts.
    void Refuse(const std::string& text) const;
    bool Confirm(const std::string& text) const;
    // Repaint a world rectangle (grown by a pixel) of the canvas.
    void Invalidate(const ViewExtent& area) const;
    void SetNote(std::string note) { m_note = std::move(note); }
    // "节点5 (节点水量 2.50 l/s)、节点6": nodes a deletion takes along, with their demands.
    std::string NodesText(const std::vector<const ZConsumeNode*>& nodes) const;
    // "管道12" and the like, the identifier as the user reads it.
    static std::string Named(const ZNetObject& o);

private:
    ZWorkShopHost& m_host;
    ZWorkShopHost::Operation m_operation;
    std::string m_note;
};
