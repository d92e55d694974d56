#pragma once
#include <QWidget>

#include <cstdint>

// The colour and size page's sample: background, a contour line, pipes at the line width and
// nodes at the node size in the chosen colours.
class COptionColorSizePreview : public QWidget {
    Q_OBJECT
public:
    struct Look {
        uint32_t background, contour, nodeFill, nodePen, pipe;
        int nodeSize, lineWidth;
    };
    explicit COptionColorSizePreview(QWidget* parent = nullptr);
    void SetLook(const Look& look);
    const Look& GetLook() const { return m_look; }
    QSize sizeHint() const override { return QSize(260, 120); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Look m_look{0xFFFFFF, 0, 0x7DFF00, 0xFF, 0xFF0000, 6, 1};
};
