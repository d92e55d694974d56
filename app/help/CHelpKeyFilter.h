#pragma once
#include <QObject>
#include <functional>

class QWidget;

// F1 in any dialog of the program opens the guide at that dialog's section (CHelpMap; the
// guide's first page for a dialog without one). Installed on the application for its lifetime.
class CHelpKeyFilter : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<void(const QString& section, QWidget* dialog)>;
    explicit CHelpKeyFilter(Opener open);
    ~CHelpKeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Opener m_open;
};
