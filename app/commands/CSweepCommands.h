#pragma once
#include "views/CommandTarget.h"

#include <QCoreApplication>
#include <QString>

class CCommandWindow;
class CQENDoc;
class CSweepState;
class QWidget;
class UnitSystem;
class ZNetwork;

// "消防流量分析" and "事故分析" of the active document: the connectivity check, the parameters
// dialog, the sweep under the progress window ("放弃" asks), the summary with the worst objects
// in the report window and the results kept with the document (CSweepState), shown as tables of
// the table window and, when the user switches it on, as a map colouring.
class CSweepCommands : public CommandTarget {
    Q_DECLARE_TR_FUNCTIONS(CSweepCommands)

public:
    explicit CSweepCommands(CCommandWindow& window);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // False when the network falls apart, the dialog was cancelled, the base case does not
    // balance or the run was stopped.
    bool FireFlow(CQENDoc& doc);
    bool Failures(CQENDoc& doc);

    // Lets a window of the document follow its results: a table window shows the result tables,
    // a graphic window the colourings chosen. Other windows are left alone.
    static void AttachView(CQENDoc& doc, QWidget* view);

    // The reports' texts; at most `worst` objects are listed.
    static QString FireFlowReport(const CSweepState& state, const ZNetwork& net, const UnitSystem& units,
                                  int worst = 10);
    static QString FailureReport(const CSweepState& state, const ZNetwork& net, int worst = 10);

private:
    bool Connected(CQENDoc& doc);
    void Report(CQENDoc& doc, const QString& title, const QString& text);

    CCommandWindow& m_window;
};
