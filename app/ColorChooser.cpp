#include "ColorChooser.h"

#include "model/ZColorSettings.h"

#include <QColorDialog>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>

namespace {
struct Named { const char* name; uint32_t color; };
const Named kColors[] = {
    {"红色", ZColorSettings::Rgb(255, 0, 0)},     {"黄色", ZColorSettings::Rgb(255, 255, 0)},
    {"绿色", ZColorSettings::Rgb(0, 255, 0)},     {"蓝色", ZColorSettings::Rgb(0, 0, 255)},
    {"青色", ZColorSettings::Rgb(0, 255, 255)},   {"粉红色", ZColorSettings::Rgb(255, 0, 255)},
    {"棕色", ZColorSettings::Rgb(255, 128, 0)},   {"银色", ZColorSettings::Rgb(192, 192, 192)},
    {"暗灰色", ZColorSettings::Rgb(128, 128, 128)}, {"白色", ZColorSettings::Rgb(255, 255, 255)},
    {"黑色", ZColorSettings::Rgb(0, 0, 0)},
};
constexpr int kNamed = 11;

QIcon Swatch(uint32_t c)
{
    QPixmap pm(24, 12);
    pm.fill(QColor(ZColorSettings::Red(c), ZColorSettings::Green(c), ZColorSettings::Blue(c)));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 23, 11);
    return QIcon(pm);
}

// The entry after the named ones holds a colour outside the list, shown as "RGB(r,g,b)".
void ShowCustom(QComboBox* box, uint32_t c)
{
    const QString text = QStringLiteral("RGB(%1,%2,%3)").arg(ZColorSettings::Red(c)).arg(ZColorSettings::Green(c)).arg(ZColorSettings::Blue(c));
    if (box->count() == kNamed + 2) {
        box->setItemText(kNamed, text);
        box->setItemIcon(kNamed, Swatch(c));
        box->setItemData(kNamed, c);
    } else {
        box->insertItem(kNamed, Swatch(c), text, c);
    }
    box->setCurrentIndex(kNamed);
}
}

QComboBox* ColorChooser::Create(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const Named& n : kColors)
        box->addItem(Swatch(n.color), QString::fromUtf8(n.name), n.color);
    box->addItem(QStringLiteral("其它颜色..."));
    box->setProperty("lastIndex", 0);
    QObject::connect(box, &QComboBox::activated, box, [box](int index) {
        if (index != box->count() - 1) {
            box->setProperty("lastIndex", index);
            return;
        }
        const int last = box->property("lastIndex").toInt();
        const uint32_t old = box->itemData(last).toUInt();
        const QColor chosen = QColorDialog::getColor(QColor(ZColorSettings::Red(old), ZColorSettings::Green(old), ZColorSettings::Blue(old)),
                                                     box->window(), QStringLiteral("颜色"));
        if (chosen.isValid())
            SetColor(box, ZColorSettings::Rgb(chosen.red(), chosen.green(), chosen.blue()));
        else
            box->setCurrentIndex(last);
        box->setProperty("lastIndex", box->currentIndex());
    });
    return box;
}

void ColorChooser::SetColor(QComboBox* box, uint32_t c)
{
    c &= 0xFFFFFF;
    for (int i = 0; i < kNamed; ++i) {
        if (kColors[i].color == c) {
            box->setCurrentIndex(i);
            box->setProperty("lastIndex", i);
            return;
        }
    }
    ShowCustom(box, c);
    box->setProperty("lastIndex", box->currentIndex());
}

uint32_t ColorChooser::Color(const QComboBox* box)
{
    const int i = box->currentIndex();
    const QVariant v = i >= 0 ? box->itemData(i) : QVariant();
    return v.isValid() ? v.toUInt() : 0;
}
