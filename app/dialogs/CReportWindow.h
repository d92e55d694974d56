#pragma once
#include <QDialog>

class QTextEdit;

// The main frame's modeless report window: one read-only rich-text field filling the window.
// Reports (connectivity, cost) clear it, give it a title, append text and show it; the balancing
// run adds its sections below what the window holds.
class CReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit CReportWindow(QWidget* parent = nullptr);

    void Clear();
    void SetTitle(const QString& title);
    void Append(const QString& text);
    // The text under a heading, set off by a rule from anything already there.
    void AppendSection(const QString& heading, const QString& text);
    // Brings the window up where and as large as it was.
    void ShowReport();

    QString Text() const;
    QTextEdit* Editor() const { return m_edit; }

private:
    QTextEdit* m_edit;
};
