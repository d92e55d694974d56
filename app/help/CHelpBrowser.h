#pragma once
#include <QTextBrowser>

// Shows the guide's Markdown pages as HTML with their section anchors, so that links to
// `file.md#name`, back and forward work as in a web browser.
class CHelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHelpBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
};
