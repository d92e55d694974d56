#pragma once
#include <QIconEngine>

// Toolbar and menu icons drawn from vector shapes at whatever size and pixel ratio is asked, so
// they stay sharp at 16 and 24 px and on high-density screens. Disabled icons are greyed here.
class VectorIconEngine : public QIconEngine {
public:
    explicit VectorIconEngine(int commandId) : m_id(commandId) {}

    // The icon of a command, or a null icon when the command has none.
    static QIcon ForCommand(int commandId);
    static bool HasIcon(int commandId);
    // The program's own icon (network on a blue tile).
    static constexpr int AppIconId = 1;

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QIconEngine* clone() const override { return new VectorIconEngine(m_id); }
    QString key() const override { return QStringLiteral("qen-vector"); }

private:
    int m_id;
};
