#pragma once
#include <QLineEdit>

// The coordinate entry field: lets through digits, '.', ',', '-', '+', editing keys and Escape,
// beeps at anything else; Enter hands the text on.
class CoordEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CoordEdit(QWidget* parent = nullptr);

signals:
    void entered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
