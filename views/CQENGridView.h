#pragma once
#include "CommandIds.h"
#include "CommandTarget.h"
#include "model/ZDocumentListener.h"
#include "model/ZNetMsg.h"

#include <QWidget>

#include <array>
#include <memory>

class CQENGrid;
class CQENGridModel;
class QPrinter;
class QTabWidget;
class ZDocument;
class ZNetObject;
class ZSettingsStore;
class ZSweepColumns;

// The table window of a project: one read-only table per object kind on the tabs 节点, 管道,
// 水泵, 阀门 and 水池, then the analysis results 消防流量 and 事故分析 while there are any, each
// with its current-record marker moved by the record commands. Follows the document's change
// hints (it listens to its ZDocument), prints and previews the shown table.
class CQENGridView : public QWidget, public CommandTarget, private ZDocumentListener {
    Q_OBJECT
public:
    enum Command {
        CmdRecordFirst = Cmd::RecordFirst,
        CmdRecordLast = Cmd::RecordLast,
        CmdRecordNext = Cmd::RecordNext,
        CmdRecordPrev = Cmd::RecordPrev,
        CmdRedraw = Cmd::Redraw,
        CmdCopy = Cmd::EditCopy,
        CmdPrint = Cmd::FilePrint,
        CmdPrintDirect = Cmd::FilePrintDirect,
        CmdPrintPreview = Cmd::FilePrintPreview,
    };

    CQENGridView(ZDocument* doc, const ZSettingsStore& settings, QWidget* parent = nullptr);
    ~CQENGridView() override;

    // The printer the print commands use (print setup applies to it); without one the view has its own.
    void SetPrinter(QPrinter* printer) { m_printer = printer; }
    QPrinter& Printer();

    // Tabs are ZGridColumns::Tab or ZSweepColumns::Tab numbers, not positions.
    int CurrentTab() const;
    void SetCurrentTab(int tab);
    // Null for a result table not shown.
    CQENGrid* Grid(int tab) const;
    CQENGridModel* Model(int tab) const;
    // Shows a result table (ZSweepColumns::Tab) after the others, or with null takes it away.
    // Its rows do not follow document changes: the results are dropped on any change.
    void SetResultTable(int tab, std::shared_ptr<const ZSweepColumns> results);
    QTabWidget* Tabs() const { return m_tabs; }
    // "%d/%d" of the shown table, for the COORDPANEL status pane.
    QString RecordText() const;

    // The document's change hint (null: repaint).
    void OnUpdate(const ZNetMsg* msg);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // Paints the shown table onto the printer, page after page.
    void PrintTo(QPrinter& printer);

public slots:
    void print();
    void printPreview();

signals:
    void recordTextChanged(const QString& text);
    // A row was double-clicked: the graphic view of the document is to show this object.
    void objectActivated(ZNetObject* object);

private:
    // ZDocumentListener
    void OnDocumentChanged(const ZNetMsg& msg) override;
    void OnDocumentGone() override;

    void AddGrid(CQENGrid* grid, int index, const QIcon& icon, const QString& name);
    void MoveRecord(int id);
    void RefillAll();
    void RefreshAll();

    ZDocument* m_doc;
    const ZSettingsStore& m_settings;
    QTabWidget* m_tabs;
    std::array<CQENGrid*, 5> m_grids{};
    std::array<CQENGrid*, 2> m_resultGrids{};   // 消防流量, 事故分析
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
};
