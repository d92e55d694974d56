#pragma once
#include <QCoreApplication>
#include "views/CommandTarget.h"

class CCommandWindow;
class CQENDoc;
class CTimeSeriesDlg;

// The extended-period commands on the active document: "延时模拟" (CSimulateCommand) and
// "过程线" of the selected objects over the simulated period (CTimeSeriesDlg).
class CSimulationCommands : public CommandTarget {
    Q_DECLARE_TR_FUNCTIONS(CSimulationCommands)

public:
    explicit CSimulationCommands(CCommandWindow& window);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // Opens the plot window of the document's selection; null (after a message) when there are
    // no current results or nothing selected.
    CTimeSeriesDlg* TimeSeries(CQENDoc& doc);

private:
    CCommandWindow& m_window;
};
