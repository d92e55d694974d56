#pragma once
#include "ZFlowNode.h"

// The one concrete node class.
class ZConsumeNode : public ZFlowNode {
public:
    ZConsumeNode() = default;
    const char* ClassName() const override { return "ZConsumeNode"; }
    ZConsumeNode* Clone() const override;
};
