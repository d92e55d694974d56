#include "COptionColorSizePage.h"
#include "COptionColorSizePreview.h"
#include "app/dialogs/CColorCombo.h"

#include "model/ZSettingsStore.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

namespace {
const char* const kCaptions[] = {
    QT_TRANSLATE_NOOP("COptionColorSizePage", "背景颜色:"), QT_TRANSLATE_NOOP("COptionColorSizePage", "等压线颜色:"),
    QT_TRANSLATE_NOOP("COptionColorSizePage", "节点填充颜色:"),
    QT_TRANSLATE_NOOP("COptionColorSizePage", "节点边框颜色:"), QT_TRANSLATE_NOOP("COptionColorSizePage", "管道颜色:")};
constexpr int kNodeMin = 4, kNodeMax = 12, kLineMin = 1, kLineMax = 5;
}   // namespace

COptionColorSizePage::COptionColorSizePage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt,
                                           QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("colorSizePage"));
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* colors = new QGroupBox(tr("颜色"), this);
    auto* form = new QFormLayout(colors);
    for (int i = 0; i < ChooserCount; ++i) {
        m_colors[i] = new CColorCombo(colors);
        m_colors[i]->setObjectName(QStringLiteral("color%1").arg(i));
        form->addRow(tr(kCaptions[i]), m_colors[i]);
        connect(m_colors[i], &CColorCombo::colorChanged, this, &COptionColorSizePage::UpdatePreview);
    }
    left->addWidget(colors);
    auto* sizes = new QGroupBox(tr("尺寸"), this);
    auto* sizeForm = new QFormLayout(sizes);
    auto makeRow = [&](const QString& caption, int lo, int hi, QLineEdit*& edit, QSlider*& slider,
                       const QString& name) {
        edit = new QLineEdit(sizes);
        edit->setObjectName(name + QStringLiteral("Edit"));
        edit->setMaximumWidth(50);
        slider = new QSlider(Qt::Horizontal, sizes);
        slider->setObjectName(name + QStringLiteral("Slider"));
        slider->setRange(lo, hi);
        slider->setPageStep(1);
        slider->setTickPosition(QSlider::TicksBelow);
        auto* row = new QHBoxLayout;
        row->addWidget(slider, 1);
        row->addWidget(edit);
        sizeForm->addRow(caption, row);
        // Moving the slider writes its position into the edit; typing moves the slider.
        connect(slider, &QSlider::valueChanged, edit, [edit](int v) { edit->setText(QString::number(v)); });
        connect(edit, &QLineEdit::textChanged, this, [this, slider, lo, hi](const QString& t) {
            bool ok = false;
            const int v = t.trimmed().toInt(&ok);
            if (ok && v >= lo && v <= hi) {
                const QSignalBlocker b(slider);
                slider->setValue(v);
            }
            UpdatePreview();
        });
    };
    makeRow(tr("节点大小:"), kNodeMin, kNodeMax, m_nodeSize, m_nodeSlider, QStringLiteral("nodeSize"));
    makeRow(tr("线宽:"), kLineMin, kLineMax, m_lineWidth, m_lineSlider, QStringLiteral("lineWidth"));
    left->addWidget(sizes);
    left->addStretch(1);
    top->addLayout(left);
    m_preview = new COptionColorSizePreview(this);
    top->addWidget(m_preview, 1);
    LoadPage();
}

void COptionColorSizePage::LoadPage()
{
    const ZColorSettings& c = m_settings.Colors();
    const uint32_t values[] = {c.BkGround, c.EquHydr, c.NodeFill, c.Node, c.Pipe};
    for (int i = 0; i < ChooserCount; ++i)
        m_colors[i]->SetColorRef(values[i]);
    m_nodeSize->setText(QString::number(m_settings.Sizes().NodeWidth));
    m_lineWidth->setText(QString::number(m_settings.Sizes().PipePenWidth));
    UpdatePreview();
}

void COptionColorSizePage::UpdatePreview()
{
    if (!m_preview)
        return;
    COptionColorSizePreview::Look look = m_preview->GetLook();
    look.background = m_colors[Background]->ColorRef();
    look.contour = m_colors[Contour]->ColorRef();
    look.nodeFill = m_colors[NodeFill]->ColorRef();
    look.nodePen = m_colors[NodePen]->ColorRef();
    look.pipe = m_colors[PipePen]->ColorRef();
    bool ok = false;
    const int n = m_nodeSize->text().toInt(&ok);
    if (ok && n >= kNodeMin && n <= kNodeMax)
        look.nodeSize = n;
    const int l = m_lineWidth->text().toInt(&ok);
    if (ok && l >= kLineMin && l <= kLineMax)
        look.lineWidth = l;
    m_preview->SetLook(look);
}

bool COptionColorSizePage::ReadRange(QLineEdit* edit, int lo, int hi, int& value)
{
    bool ok = false;
    value = edit->text().trimmed().toInt(&ok);
    if (!ok || value < lo || value > hi)
        return Refuse(tr("请输入一个介于%1和%2之间的整数。").arg(lo).arg(hi), edit);
    return true;
}

bool COptionColorSizePage::CheckPage()
{
    int v;
    return ReadRange(m_nodeSize, kNodeMin, kNodeMax, v) && ReadRange(m_lineWidth, kLineMin, kLineMax, v);
}

void COptionColorSizePage::ApplyPage()
{
    ZColorSettings& c = m_settings.Colors();
    c.BkGround = m_colors[Background]->ColorRef();
    c.EquHydr = m_colors[Contour]->ColorRef();
    c.NodeFill = m_colors[NodeFill]->ColorRef();
    c.Node = m_colors[NodePen]->ColorRef();
    c.Pipe = m_colors[PipePen]->ColorRef();
    int v;
    if (ReadRange(m_nodeSize, kNodeMin, kNodeMax, v))
        m_settings.Sizes().NodeWidth = v;
    if (ReadRange(m_lineWidth, kLineMin, kLineMax, v))
        m_settings.Sizes().PipePenWidth = v;
}
