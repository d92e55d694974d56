#pragma once
#include <QWidget>

class CHelpBrowser;
class QLineEdit;
class QListWidget;
class QToolButton;
class QTreeWidget;

// 帮助主题: the user guide in the interface language, with its contents, a search over every page
// and back/forward. One window serves the main window; a dialog's F1 opens one of its own (a
// window outside a modal dialog could not be used while the dialog runs).
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // `language` "zh" or "en"; empty: the interface's.
    explicit CHelpWindow(const QString& language = QString(), QWidget* parent = nullptr);

    // Shows `section` ("file.md#anchor"; empty: the guide's first page) in the help window of
    // `owner` (a dialog gets its own), creating it when needed.
    static CHelpWindow* ShowSection(const QString& section, QWidget* owner);

    void Open(const QString& section);
    // Lists the sections holding every word of `query`; the number listed.
    int Search(const QString& query);
    // The page and anchor shown ("start.md#about").
    QString Shown() const;

    CHelpBrowser* Browser() const { return m_browser; }
    QTreeWidget* Contents() const { return m_contents; }
    QLineEdit* SearchField() const { return m_search; }
    QListWidget* Results() const { return m_results; }
    QToolButton* BackButton() const { return m_back; }
    QToolButton* ForwardButton() const { return m_forward; }

private:
    void FillContents();

    QString m_language;
    CHelpBrowser* m_browser;
    QTreeWidget* m_contents;
    QLineEdit* m_search;
    QListWidget* m_results;
    QToolButton* m_back;
    QToolButton* m_forward;
};
