#include "ZConsumeNode.h"

ZConsumeNode* ZConsumeNode::Clone() const
{
    auto* n = new ZConsumeNode;
    n->CopyFrom(*this);
    return n;
}
