#pragma once
#include "model/ZLabelTipSettings.h"

#include <QWidget>

class ZSettingsStore;

// The engineering-label page's sample: a node box and a pipe with its upper and lower text,
// composed from the page's choices exactly as the drawing composes them.
class COptionLabelPreview : public QWidget {
    Q_OBJECT
public:
    COptionLabelPreview(const ZSettingsStore& settings, QWidget* parent = nullptr);

    void SetLabels(const ZLabelTipSettings& labels);
    // The texts shown: node lines joined by '\n', the pipe's upper and lower text.
    QString NodeText() const { return m_node; }
    QString PipeUpper() const { return m_upper; }
    QString PipeLower() const { return m_lower; }

    QSize sizeHint() const override { return QSize(300, 150); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const ZSettingsStore& m_settings;
    QString m_node, m_upper, m_lower;
};
