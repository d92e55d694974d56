#include "CColorCombo.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {
const QSize kSwatch(28, 14);

struct NamedColor {
    const char* name;
    int r, g, b;
};

const NamedColor kColors[CColorCombo::StandardCount] = {
    {QT_TRANSLATE_NOOP("CColorCombo", "红色"), 255, 0, 0},
    {QT_TRANSLATE_NOOP("CColorCombo", "黄色"), 255, 255, 0},
    {QT_TRANSLATE_NOOP("CColorCombo", "绿色"), 0, 255, 0},
    {QT_TRANSLATE_NOOP("CColorCombo", "蓝色"), 0, 0, 255},
    {QT_TRANSLATE_NOOP("CColorCombo", "青色"), 0, 255, 255},
    {QT_TRANSLATE_NOOP("CColorCombo", "粉红色"), 255, 0, 255},
    {QT_TRANSLATE_NOOP("CColorCombo", "棕色"), 255, 128, 0},
    {QT_TRANSLATE_NOOP("CColorCombo", "银色"), 192, 192, 192},
    {QT_TRANSLATE_NOOP("CColorCombo", "暗灰色"), 128, 128, 128},
    {QT_TRANSLATE_NOOP("CColorCombo", "白色"), 255, 255, 255},
    {QT_TRANSLATE_NOOP("CColorCombo", "黑色"), 0, 0, 0},
};

QIcon Swatch(const QColor& c)
{
    QPixmap pm(kSwatch);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(c);
    p.drawRect(QRect(QPoint(0, 0), kSwatch - QSize(1, 1)));
    return QIcon(pm);
}

QIcon Blank()
{
    QPixmap pm(kSwatch);
    pm.fill(Qt::transparent);
    return QIcon(pm);
}
}   // namespace

CColorCombo::CColorCombo(QWidget* parent) : QComboBox(parent)
{
    setIconSize(kSwatch);
    for (int i = 0; i < StandardCount; ++i)
        addItem(Swatch(StandardColor(i)), StandardName(i));
    // A blank icon keeps the text of the last entry in line with the named colours.
    addItem(Blank(), tr("其它颜色..."));
    PickColor = [](QWidget* owner, const QColor& current) {
        return QColorDialog::getColor(current, owner, tr("颜色"));
    };
    connect(this, &QComboBox::activated, this, &CColorCombo::OnActivated);
    ShowColor();
}

QColor CColorCombo::StandardColor(int i)
{
    const NamedColor& c = kColors[i];
    return QColor(c.r, c.g, c.b);
}

QString CColorCombo::StandardName(int i)
{
    return tr(kColors[i].name);
}

uint32_t CColorCombo::ToColorRef(const QColor& c)
{
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

QColor CColorCombo::FromColorRef(uint32_t ref)
{
    return QColor(int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF));
}

void CColorCombo::SetColor(const QColor& c)
{
    const QColor rgb = QColor(c.red(), c.green(), c.blue());
    const bool changed = rgb != m_color;
    m_color = rgb;
    ShowColor();
    if (changed)
        emit colorChanged(m_color);
}

void CColorCombo::ShowColor()
{
    int found = -1;
    for (int i = 0; i < StandardCount && found < 0; ++i)
        if (StandardColor(i) == m_color)
            found = i;
    const QSignalBlocker block(this);
    if (found >= 0) {
        if (HasCustomEntry())
            removeItem(StandardCount);
        setCurrentIndex(found);
        return;
    }
    const QString text = QStringLiteral("RGB(%1,%2,%3)").arg(m_color.red()).arg(m_color.green()).arg(m_color.blue());
    if (HasCustomEntry()) {
        setItemText(StandardCount, text);
        setItemIcon(StandardCount, Swatch(m_color));
    } else {
        insertItem(StandardCount, Swatch(m_color), text);
    }
    setCurrentIndex(StandardCount);
}

void CColorCombo::OnActivated(int index)
{
    if (index == OtherIndex()) {
        const QColor picked = PickColor ? PickColor(this, m_color) : QColor();
        if (picked.isValid())
            SetColor(picked);
        else
            ShowColor();   // cancelled: back to the colour it had
        return;
    }
    if (index < StandardCount)
        SetColor(StandardColor(index));
}
