#pragma once
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal dialog once its event loop runs (tests cannot click through exec()).
// Polls for a minute: a first file dialog can take seconds to show on a loaded machine.
inline void OnNextModal(std::function<void(QWidget*)> act, int triesLeft = 6000)
{
    QTimer::singleShot(10, [act, triesLeft]() {
        QWidget* w = QApplication::activeModalWidget();
        if (w)
            act(w);
        else if (triesLeft > 0)
            OnNextModal(act, triesLeft - 1);
    });
}

// Saves a picture of `w` into $QEN_SCREENSHOT_DIR when that is set.
inline void Screenshot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
    if (dir.isEmpty() || !w)
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// A window's title as the window system shows it: "[*]" is the modified mark.
inline QString ShownTitle(const QWidget* w)
{
    QString t = w->windowTitle();
    return t.replace(QStringLiteral("[*]"), w->isWindowModified() ? QStringLiteral("*") : QString());
}

// Like Screenshot, with the window's title drawn as a title bar above it (pictures taken without
// a window manager have none).
inline void ScreenshotWithTitle(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
    if (dir.isEmpty() || !w)
        return;
    const QPixmap body = w->grab();
    QImage img(body.width(), body.height() + 28, QImage::Format_RGB32);
    img.fill(QColor(60, 90, 140));
    QPainter p(&img);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, img.width() - 16, 28), Qt::AlignVCenter | Qt::AlignLeft, ShownTitle(w));
    p.drawPixmap(0, 28, body);
    p.end();
    QDir().mkpath(dir);
    img.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
