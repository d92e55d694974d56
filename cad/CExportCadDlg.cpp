#include "CExportCadDlg.h"

#include "views/UiPrompt.h"
#include "model/KeyValueStore.h"
#include "views/GbkText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

struct Field {
    const char* key;
    const char* label;
};
const Field Layers[] = {{"NodeLayer", QT_TRANSLATE_NOOP("CExportCadDlg", "节点:")},
                        {"PipeLayer", QT_TRANSLATE_NOOP("CExportCadDlg", "管道:")},
                        {"LabelLayer", QT_TRANSLATE_NOOP("CExportCadDlg", "标注:")},
                        {"OtherLayer", QT_TRANSLATE_NOOP("CExportCadDlg", "其它:")}};
const Field Sizes[] = {{"ArrowSize", QT_TRANSLATE_NOOP("CExportCadDlg", "箭头长度:")},
                       {"LabelSize", QT_TRANSLATE_NOOP("CExportCadDlg", "字体高度:")},
                       {"NodeSize", QT_TRANSLATE_NOOP("CExportCadDlg", "节点大小:")},
                       {"DevSize", QT_TRANSLATE_NOOP("CExportCadDlg", "设备大小:")}};

}   // namespace

CExportCadDlg::CExportCadDlg(KeyValueStore& profile, UiPrompt& prompt, bool cadRunning, QWidget* parent,
                             const ZNetwork* net)
    : QDialog(parent), m_profile(profile), m_prompt(prompt), m_cadRunning(cadRunning), m_net(net)
{
    setWindowTitle(tr("生成CAD图纸"));
    auto* target = new QGroupBox(tr("图纸"), this);
    m_active = new QRadioButton(tr("输出到当前激活的CAD文档"), target);
    m_new = new QRadioButton(tr("创建新图纸并输出"), target);
    m_path = new QLineEdit(target);
    m_browse = new QPushButton(tr("浏览..."), target);
    m_viewer = new QCheckBox(tr("完成后用关联的CAD程序打开图纸"), target);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    auto* targetLayout = new QVBoxLayout(target);
    targetLayout->addWidget(m_active);
    targetLayout->addWidget(m_new);
    targetLayout->addLayout(pathRow);
    targetLayout->addWidget(m_viewer);

    auto edit = [this](const char* key) {
        auto* e = new QLineEdit(this);
        m_edits.emplace_back(key, e);
        return e;
    };
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(edit("ScaleCad"));
    scaleRow->addWidget(new QLabel(tr("CAD单位 ="), this));
    scaleRow->addWidget(edit("ScaleQen"));
    scaleRow->addWidget(new QLabel(tr("毫米"), this));
    auto* layers = new QGroupBox(tr("图层"), this);
    auto* layerForm = new QFormLayout(layers);
    for (const Field& f : Layers)
        layerForm->addRow(tr(f.label), edit(f.key));
    auto* sizes = new QGroupBox(tr("大小(CAD单位)"), this);
    auto* sizeForm = new QFormLayout(sizes);
    for (const Field& f : Sizes)
        sizeForm->addRow(tr(f.label), edit(f.key));
    // Sizes are CAD units: at 1000 units per metre the defaults are specks on a plotted sheet.
    m_sizeHint = new QLabel(sizes);
    m_sizeHint->setWordWrap(true);
    m_useSizes = new QPushButton(tr("采用建议大小"), sizes);
    sizeForm->addRow(m_sizeHint);
    sizeForm->addRow(m_useSizes);
    auto* grid = new QHBoxLayout;
    grid->addWidget(layers);
    grid->addWidget(sizes);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target);
    auto* scaleForm = new QFormLayout;
    scaleForm->addRow(tr("比例:"), scaleRow);
    layout->addLayout(scaleForm);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CExportCadDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportCadDlg::reject);
    connect(m_browse, &QPushButton::clicked, this, &CExportCadDlg::Browse);
    connect(m_active, &QRadioButton::toggled, this, &CExportCadDlg::UpdateControls);
    connect(m_new, &QRadioButton::toggled, this, &CExportCadDlg::UpdateControls);
    connect(m_useSizes, &QPushButton::clicked, this, &CExportCadDlg::UseSuggestedSizes);
    Load();
    for (const char* key : {"ScaleCad", "ScaleQen", "LabelSize"})
        connect(Edit(key), &QLineEdit::textChanged, this, &CExportCadDlg::UpdateSizeHint);
    UpdateSizeHint();
}

QLineEdit* CExportCadDlg::Edit(const char* key) const
{
    for (const auto& [k, e] : m_edits)
        if (std::string(k) == key)
            return e;
    return nullptr;
}

QString CExportCadDlg::DrawingPath() const
{
    return m_path->text();
}

void CExportCadDlg::Load()
{
    const std::string s = Section;
    const ZCadExport::Options d;
    m_saveMode = m_profile.GetInt(s, "SaveMode", 0);
    m_pathGbk = m_profile.GetString(s, "DwfFile", "");
    m_openInViewer = m_profile.GetInt(s, "OpenInViewer", 1) != 0;
    ZCadExport::Options& o = m_options;
    o.ScaleCad = m_profile.GetDouble(s, "ScaleCad", d.ScaleCad);
    o.ScaleQen = m_profile.GetDouble(s, "ScaleQen", d.ScaleQen);
    o.NodeLayer = m_profile.GetString(s, "NodeLayer", d.NodeLayer);
    o.PipeLayer = m_profile.GetString(s, "PipeLayer", d.PipeLayer);
    o.LabelLayer = m_profile.GetString(s, "LabelLayer", d.LabelLayer);
    o.OtherLayer = m_profile.GetString(s, "OtherLayer", d.OtherLayer);
    o.ArrowSize = m_profile.GetDouble(s, "ArrowSize", d.ArrowSize);
    o.LabelSize = m_profile.GetDouble(s, "LabelSize", d.LabelSize);
    o.NodeSize = m_profile.GetDouble(s, "NodeSize", d.NodeSize);
    o.DevSize = m_profile.GetDouble(s, "DevSize", d.DevSize);
    if (!m_cadRunning)
        m_saveMode = 1;

    m_active->setEnabled(m_cadRunning);
    (m_saveMode == 0 ? m_active : m_new)->setChecked(true);
    m_path->setText(GbkText::ToQString(GbkView(m_pathGbk)));
    m_viewer->setChecked(m_openInViewer);
    auto number = [](double v) { return QString::number(v, 'g', 15); };
    Edit("ScaleCad")->setText(number(o.ScaleCad));
    Edit("ScaleQen")->setText(number(o.ScaleQen));
    Edit("NodeLayer")->setText(GbkText::ToQString(GbkView(o.NodeLayer)));
    Edit("PipeLayer")->setText(GbkText::ToQString(GbkView(o.PipeLayer)));
    Edit("LabelLayer")->setText(GbkText::ToQString(GbkView(o.LabelLayer)));
    Edit("OtherLayer")->setText(GbkText::ToQString(GbkView(o.OtherLayer)));
    Edit("ArrowSize")->setText(number(o.ArrowSize));
    Edit("LabelSize")->setText(number(o.LabelSize));
    Edit("NodeSize")->setText(number(o.NodeSize));
    Edit("DevSize")->setText(number(o.DevSize));
    UpdateControls();
}

void CExportCadDlg::UpdateControls()
{
    m_path->setEnabled(m_new->isChecked());
    m_browse->setEnabled(m_new->isChecked());
}

bool CExportCadDlg::Suggested(ZCadExport::Options& sizes) const
{
    bool okCad = false, okQen = false;
    const double cad = Edit("ScaleCad")->text().trimmed().toDouble(&okCad);
    const double qen = Edit("ScaleQen")->text().trimmed().toDouble(&okQen);
    const double ratio = cad * 1000.0 / qen;
    if (!m_net || !okCad || !okQen || !std::isfinite(ratio) || !(ratio > 0))
        return false;
    sizes = ZCadExport::ReadableSizes(*m_net, ratio);
    return sizes.LabelSize != ZCadExport::Options().LabelSize;
}

void CExportCadDlg::UpdateSizeHint()
{
    ZCadExport::Options r;
    const bool known = Suggested(r);
    m_sizeHint->setVisible(known);
    m_useSizes->setVisible(known);
    if (!known)
        return;
    auto n = [](double v) { return QString::number(v, 'g', 6); };
    m_sizeHint->setText(tr("大小按CAD单位计。在容纳整个管网的A1图纸上清晰可读的大小: 字体高度 %1, "
                           "节点大小 %2, 设备大小 %3, 箭头长度 %4。")
                            .arg(n(r.LabelSize), n(r.NodeSize), n(r.DevSize), n(r.ArrowSize)));
}

void CExportCadDlg::UseSuggestedSizes()
{
    ZCadExport::Options r;
    if (!Suggested(r))
        return;
    auto n = [](double v) { return QString::number(v, 'g', 15); };
    Edit("LabelSize")->setText(n(r.LabelSize));
    Edit("NodeSize")->setText(n(r.NodeSize));
    Edit("DevSize")->setText(n(r.DevSize));
    Edit("ArrowSize")->setText(n(r.ArrowSize));
}

void CExportCadDlg::Browse()
{
    QFileDialog dlg(this, tr("另存为"), m_path->text(), tr("DXF 文件 (*.dxf);;所有文件 (*.*)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("dxf"));
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
        m_path->setText(dlg.selectedFiles().first());
    m_path->setFocus();
}

void CExportCadDlg::accept()
{
    ZCadExport::Options o;
    for (const char* key : {"ScaleCad", "ScaleQen", "ArrowSize", "DevSize", "LabelSize", "NodeSize"}) {
        QLineEdit* e = Edit(key);
        bool ok = false;
        const double v = e->text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v) || !(v > 0.0)) {
            m_prompt.Warn(tr("请键入大于0的数!").toStdString());
            e->setFocus();
            e->selectAll();
            return;
        }
        const std::string k = key;
        (k == "ScaleCad"    ? o.ScaleCad
         : k == "ScaleQen"  ? o.ScaleQen
         : k == "ArrowSize" ? o.ArrowSize
         : k == "DevSize"   ? o.DevSize
         : k == "LabelSize" ? o.LabelSize
                            : o.NodeSize) = v;
    }
    for (const Field& f : Layers) {
        QLineEdit* e = Edit(f.key);
        const std::string name = GbkText::FromQString(e->text()).Bytes();
        if (name.empty()) {   // a layer without a name cannot be made
            m_prompt.Warn(tr("需要输入图层名!").toStdString());
            e->setFocus();
            return;
        }
        const std::string k = f.key;
        (k == "NodeLayer"    ? o.NodeLayer
         : k == "PipeLayer"  ? o.PipeLayer
         : k == "LabelLayer" ? o.LabelLayer
                             : o.OtherLayer) = name;
    }
    const int mode = m_new->isChecked() ? 1 : 0;
    if (mode == 1 && m_path->text().trimmed().isEmpty()) {
        m_prompt.Warn(tr("选择文件名不能为空!").toStdString());
        m_path->setFocus();
        return;
    }
    m_options = o;
    m_saveMode = mode;
    m_pathGbk = GbkText::FromQString(m_path->text()).Bytes();
    m_openInViewer = m_viewer->isChecked();
    Save();
    QDialog::accept();
}

void CExportCadDlg::Save()
{
    const std::string s = Section;
    const ZCadExport::Options& o = m_options;
    m_profile.WriteInt(s, "SaveMode", m_saveMode);
    m_profile.WriteString(s, "DwfFile", m_pathGbk);
    m_profile.WriteInt(s, "OpenInViewer", m_openInViewer ? 1 : 0);
    m_profile.SetDouble(s, "ScaleCad", o.ScaleCad);
    m_profile.SetDouble(s, "ScaleQen", o.ScaleQen);
    m_profile.WriteString(s, "NodeLayer", o.NodeLayer);
    m_profile.WriteString(s, "PipeLayer", o.PipeLayer);
    m_profile.WriteString(s, "LabelLayer", o.LabelLayer);
    m_profile.WriteString(s, "OtherLayer", o.OtherLayer);
    m_profile.SetDouble(s, "ArrowSize", o.ArrowSize);
    m_profile.SetDouble(s, "LabelSize", o.LabelSize);
    m_profile.SetDouble(s, "NodeSize", o.NodeSize);
    m_profile.SetDouble(s, "DevSize", o.DevSize);
}
