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

// The table window of a project: one read-only table per object kind on the tabs 节点, 管道,
// 水泵, 阀门 and 水池, each with its current-record marker moved by the record commands. Follows
// the document's change hints (it listens to its ZDocument), prints and previews the shown table.
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

    int CurrentTab() const;
    void SetCurrentTab(int tab);
    CQENGrid* Grid(int tab) const { return m_grids[static_cast<size_t>(tab)]; }
    CQENGridModel* Model(int tab) const;
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

    void MoveRecord(int id);
    void RefillAll();
    void RefreshAll();

    ZDocument* m_doc;
    const ZSettingsStore& m_settings;
    QTabWidget* m_tabs;
    std::array<CQENGrid*, 5> m_grids{};
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
};
