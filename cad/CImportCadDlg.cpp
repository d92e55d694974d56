#include "CImportCadDlg.h"

#include "views/UiPrompt.h"
#include "cadbridge/CadBridge.h"
#include "model/KeyValueStore.h"
#include "edit/ZCadImport.h"
#include "views/GbkText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString Number(double v)
{
    return QString::number(v, 'g', 15);
}

}   // namespace

CImportCadDlg::CImportCadDlg(KeyValueStore& profile, UiPrompt& prompt, bool cadRunning, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_prompt(prompt), m_cadRunning(cadRunning)
{
    setWindowTitle(tr("提取CAD管网"));
    auto* source = new QGroupBox(tr("图纸"), this);
    m_active = new QRadioButton(tr("从正在激活的图纸中引入"), source);
    m_open = new QRadioButton(tr("打开新图纸并引入"), source);
    m_path = new QLineEdit(source);
    m_browse = new QPushButton(tr("浏览..."), source);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    auto* sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(m_active);
    sourceLayout->addWidget(m_open);
    sourceLayout->addLayout(pathRow);

    m_minDistEdit = new QLineEdit(this);
    m_scaleCadEdit = new QLineEdit(this);
    m_scaleQenEdit = new QLineEdit(this);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(m_scaleCadEdit);
    scaleRow->addWidget(new QLabel(tr("CAD单位 ="), this));
    scaleRow->addWidget(m_scaleQenEdit);
    scaleRow->addWidget(new QLabel(tr("毫米"), this));
    auto* form = new QFormLayout;
    form->addRow(tr("管道连接判断精度:"), m_minDistEdit);
    form->addRow(tr("比例:"), scaleRow);

    auto* entities = new QGroupBox(tr("实体和图层"), this);
    m_line = new QCheckBox(QStringLiteral("LINE"), entities);
    m_pline = new QCheckBox(QStringLiteral("PLINE"), entities);
    m_allLayers = new QCheckBox(tr("搜索全部图层"), entities);
    m_layerEdit = new QLineEdit(entities);
    m_layerEdit->setToolTip(tr("图层名之间用\";\"分隔"));
    m_layerList = new QListWidget(entities);
    m_layerList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_layerList->setToolTip(tr("图纸的图层: 选中的图层填入上面的图层名"));
    m_layerList->setMaximumHeight(120);
    auto* entityRow = new QHBoxLayout;
    entityRow->addWidget(m_line);
    entityRow->addWidget(m_pline);
    entityRow->addStretch();
    auto* entityLayout = new QVBoxLayout(entities);
    entityLayout->addLayout(entityRow);
    entityLayout->addWidget(m_allLayers);
    entityLayout->addWidget(m_layerEdit);
    entityLayout->addWidget(m_layerList);
    m_split = new QCheckBox(tr("在管道中间接入时打断管道"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(form);
    layout->addWidget(entities);
    layout->addWidget(m_split);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CImportCadDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportCadDlg::reject);
    connect(m_browse, &QPushButton::clicked, this, &CImportCadDlg::Browse);
    connect(m_path, &QLineEdit::editingFinished, this, &CImportCadDlg::RefreshLayers);
    connect(m_layerList, &QListWidget::itemSelectionChanged, this, &CImportCadDlg::LayersChosen);
    connect(m_open, &QAbstractButton::toggled, this, &CImportCadDlg::RefreshLayers);
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(m_active), static_cast<QAbstractButton*>(m_open),
                               static_cast<QAbstractButton*>(m_allLayers)})
        connect(b, &QAbstractButton::toggled, this, &CImportCadDlg::UpdateControls);
    Load();
}

QString CImportCadDlg::DrawingPath() const
{
    return m_path->text();
}

void CImportCadDlg::Load()
{
    const std::string s = Section;
    m_openMode = m_profile.GetInt(s, "OpenMode", 0);
    m_pathGbk = m_profile.GetString(s, "DwfFile", "");
    m_minDist = m_profile.GetDouble(s, "MinDist", 0.0);
    m_scaleCad = m_profile.GetDouble(s, "ScaleCad", 1.0);
    m_scaleQen = m_profile.GetDouble(s, "ScaleQen", 1.0);
    m_incLine = m_profile.GetInt(s, "IncLine", 1) != 0;
    m_incPline = m_profile.GetInt(s, "IncPline", 1) != 0;
    m_searchAll = m_profile.GetInt(s, "SearchAllLayers", 1) != 0;
    m_layerText = m_profile.GetString(s, "SearchLayer", "");
    m_splitAtTees = m_profile.GetInt(s, "SplitAtTees", 0) != 0;
    if (!m_cadRunning)
        m_openMode = 1;

    m_active->setEnabled(m_cadRunning);
    (m_openMode == 0 ? m_active : m_open)->setChecked(true);
    m_path->setText(GbkText::ToQString(GbkView(m_pathGbk)));
    m_minDistEdit->setText(Number(m_minDist));
    m_scaleCadEdit->setText(Number(m_scaleCad));
    m_scaleQenEdit->setText(Number(m_scaleQen));
    m_line->setChecked(m_incLine);
    m_pline->setChecked(m_incPline);
    m_allLayers->setChecked(m_searchAll);
    m_layerEdit->setText(GbkText::ToQString(GbkView(m_layerText)));
    m_split->setChecked(m_splitAtTees);
    UpdateControls();
    RefreshLayers();
}

void CImportCadDlg::RefreshLayers()
{
    m_layerList->clear();
    const QString path = m_path->text().trimmed();
    if (m_open->isChecked() && !QFileInfo(path).isFile())
        return;
    CadHandle h = OpenAutoCad();
    const QByteArray name = QFile::encodeName(path);
    if (m_open->isChecked() ? OpenDwgDocument(h, name.constData()) != 0 : IsExistActiveDwg() != 0)
        for (const QString& l : QString::fromUtf8(CadDrawingLayers()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            m_layerList->addItem(l);
    CloseAutoCad(h);
}

void CImportCadDlg::LayersChosen()
{
    QStringList names;
    for (const QListWidgetItem* item : m_layerList->selectedItems())
        names << item->text();
    if (names.isEmpty())
        return;
    m_allLayers->setChecked(false);
    m_layerEdit->setText(names.join(QLatin1Char(';')));
}

void CImportCadDlg::UpdateControls()
{
    const bool fromFile = m_open->isChecked();
    m_path->setEnabled(fromFile);
    m_browse->setEnabled(fromFile);
    m_layerEdit->setEnabled(!m_allLayers->isChecked());
}

void CImportCadDlg::Browse()
{
    QFileDialog dlg(this, tr("打开"), m_path->text(), tr("DXF 文件 (*.dxf);;所有文件 (*.*)"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QStringLiteral("dxf"));
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
        m_path->setText(dlg.selectedFiles().first());
    m_path->setFocus();
    RefreshLayers();
}

bool CImportCadDlg::ReadNumber(QLineEdit* edit, double atLeast, double& value)
{
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < atLeast) {
        m_prompt.Warn(tr("请键入大于%1的数!").arg(atLeast, 0, 'g', 6).toStdString());
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = v;
    return true;
}

void CImportCadDlg::accept()
{
    double minDist = 0, scaleCad = 0, scaleQen = 0;
    if (!ReadNumber(m_minDistEdit, 0.0, minDist) || !ReadNumber(m_scaleCadEdit, 1e-7, scaleCad) ||
        !ReadNumber(m_scaleQenEdit, 1.0, scaleQen))
        return;
    const int mode = m_open->isChecked() ? 1 : 0;
    if (mode == 1 && m_path->text().trimmed().isEmpty()) {
        m_prompt.Warn(tr("选择文件名不能为空!").toStdString());
        m_path->setFocus();
        return;
    }
    // Names as the drawing has them: characters GBK lacks go as \U+XXXX, which the scan reads back.
    const std::string layerText = ZCadImport::LayerNameToGbk(m_layerEdit->text().toStdString());
    std::vector<std::string> layers;
    if (!m_allLayers->isChecked()) {
        layers = ZCadImport::SplitLayers(layerText);
        if (layers.empty()) {
            m_prompt.Warn(tr("需要输入图层名!").toStdString());
            m_layerEdit->setFocus();
            return;
        }
    }
    m_openMode = mode;
    m_pathGbk = GbkText::FromQString(m_path->text()).Bytes();
    m_minDist = minDist;
    m_scaleCad = scaleCad;
    m_scaleQen = scaleQen;
    m_incLine = m_line->isChecked();
    m_incPline = m_pline->isChecked();
    m_searchAll = m_allLayers->isChecked();
    m_layerText = layerText;
    m_layers = layers;
    m_splitAtTees = m_split->isChecked();
    Save();
    QDialog::accept();
}

void CImportCadDlg::Save()
{
    const std::string s = Section;
    m_profile.WriteInt(s, "OpenMode", m_openMode);
    m_profile.WriteString(s, "DwfFile", m_pathGbk);
    m_profile.SetDouble(s, "MinDist", m_minDist);
    m_profile.SetDouble(s, "ScaleCad", m_scaleCad);
    m_profile.SetDouble(s, "ScaleQen", m_scaleQen);
    m_profile.WriteInt(s, "IncLine", m_incLine ? 1 : 0);
    m_profile.WriteInt(s, "IncPline", m_incPline ? 1 : 0);
    m_profile.WriteInt(s, "SearchAllLayers", m_searchAll ? 1 : 0);
    m_profile.WriteString(s, "SearchLayer", m_layerText);
    m_profile.WriteInt(s, "SplitAtTees", m_splitAtTees ? 1 : 0);
}
