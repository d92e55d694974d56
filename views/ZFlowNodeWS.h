#pragma once
#include <QCoreApplication>
#include "ZWorkShop.h"

#include <memory>

class ZConsumeNode;

// Nodes: insert one on a pipe (splitting it), delete one with its links, move one or merge it
// into another node.
class ZFlowNodeWS : public ZWorkShop {
    Q_DECLARE_TR_FUNCTIONS(ZFlowNodeWS)

public:
    using ZWorkShop::ZWorkShop;
    ~ZFlowNodeWS() override;

    void BeginInsert() override;
    void BeginDelete() override;
    void BeginMove() override;
    void End() override;
    void ObjectsRemoved(const std::vector<ZNetObject*>& objects) override;
    std::string StepPrompt() const override;

    // The node being moved, between the two clicks of a move.
    ZConsumeNode* MovingNode() const { return m_moving; }

protected:
    void ClickInsert(const PipePoint& at) override;
    void ClickDelete(const PipePoint& at) override;
    void ClickMove(const PipePoint& at) override;

private:
    void ShowMoveLines();
    // The question before a node goes: its links, and neighbours left without any, go with it.
    std::string DeleteQuestion(const ZConsumeNode& node) const;

    std::unique_ptr<ZConsumeNode> m_newNode;   // template clone for the next insert
    ZConsumeNode* m_moving = nullptr;
    PipePoint m_moveStart;
};
