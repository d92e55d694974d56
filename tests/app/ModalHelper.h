#pragma once
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal dialog once its event loop runs (tests cannot click through exec()).
inline void OnNextModal(std::function<void(QWidget*)> act, int triesLeft = 200)
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
