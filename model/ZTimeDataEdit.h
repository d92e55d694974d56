#pragma once
#include "ZEdit.h"
#include "ZTimeData.h"

// New time data for a document (patterns, controls, time options), undoably. Its simulation
// results, if any, no longer belong to the document: the balanced flag follows the edit as for
// any other.
class ZTimeDataEdit : public ZEdit {
public:
    ZTimeDataEdit(ZTimeData data, std::string text = "延时模拟数据");

    size_t MemoryUsage() const override;
    ZNetMsg Hint(bool applied) const override;

protected:
    void DoApply(ZDocument& doc) override;
    void DoRevert(ZDocument& doc) override;

private:
    ZTimeData m_other;   // the data not in the document
};
