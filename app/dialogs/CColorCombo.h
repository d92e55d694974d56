#pragma once
#include <QColor>
#include <QComboBox>

#include <cstdint>
#include <functional>

// A colour chooser: eleven named colours with swatches and "其它颜色..." (other colours), which
// opens the colour dialog. A colour outside the list is shown as an extra "RGB(r,g,b)" entry just
// above "其它颜色...".
class CColorCombo : public QComboBox {
    Q_OBJECT
public:
    static constexpr int StandardCount = 11;

    explicit CColorCombo(QWidget* parent = nullptr);

    static QColor StandardColor(int i);
    static QString StandardName(int i);
    // The settings' colour value: red + 256 green + 65536 blue.
    static uint32_t ToColorRef(const QColor& c);
    static QColor FromColorRef(uint32_t ref);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& c);
    uint32_t ColorRef() const { return ToColorRef(m_color); }
    void SetColorRef(uint32_t ref) { SetColor(FromColorRef(ref)); }

    // Asks for another colour (the colour dialog unless replaced, e.g. by tests); an invalid
    // colour means cancelled.
    std::function<QColor(QWidget* owner, const QColor& current)> PickColor;

signals:
    void colorChanged(const QColor& color);

private:
    void OnActivated(int index);
    int OtherIndex() const { return count() - 1; }
    bool HasCustomEntry() const { return count() > StandardCount + 1; }
    void ShowColor();

    QColor m_color = Qt::black;
};
