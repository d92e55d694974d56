#include "CGisImportDlg.h"

#include "gis/GisError.h"
#include "model/NumberOption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

CGisImportDlg::CGisImportDlg(const std::vector<ZGisImport::Layer>& layers, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("gisImportDialog"));
    setWindowTitle(tr("来自GIS数据"));
    auto* form = new QFormLayout(this);
    m_pipes = new QComboBox(this);
    m_pipes->setObjectName(QStringLiteral("pipesLayer"));
    m_pipes->addItem(tr("所有线图层"), QString());
    m_nodes = new QComboBox(this);
    m_nodes->setObjectName(QStringLiteral("nodesLayer"));
    m_nodes->addItem(tr("所有点图层"), QString());
    for (const ZGisImport::Layer& l : layers) {
        const QString name = QString::fromStdString(l.name);
        if (l.lines)
            m_pipes->addItem(name, name);
        if (l.points)
            m_nodes->addItem(name, name);
    }
    m_tolerance = new QLineEdit(QStringLiteral("0"), this);
    m_tolerance->setObjectName(QStringLiteral("tolerance"));
    m_epsg = new QLineEdit(this);
    m_epsg->setObjectName(QStringLiteral("projectTo"));
    m_epsg->setPlaceholderText(tr("不投影 (经纬度坐标须填写)"));
    m_map = new QLineEdit(this);
    m_map->setObjectName(QStringLiteral("map"));
    m_map->setPlaceholderText(QStringLiteral("diameter_mm=DN; id=GISID"));
    m_split = new QCheckBox(tr("在三通处拆分管道"), this);
    m_split->setObjectName(QStringLiteral("splitAtTees"));
    form->addRow(tr("管道图层:"), m_pipes);
    form->addRow(tr("节点图层:"), m_nodes);
    form->addRow(tr("连接判断精度 (m):"), m_tolerance);
    form->addRow(tr("投影到 EPSG:"), m_epsg);
    form->addRow(tr("字段对应:"), m_map);
    form->addRow(QString(), m_split);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CGisImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGisImportDlg::reject);
    form->addRow(buttons);
}

void CGisImportDlg::accept()
{
    ZGisImport::Options o;
    o.pipesLayer = m_pipes->currentData().toString().toStdString();
    o.nodesLayer = m_nodes->currentData().toString().toStdString();
    o.splitAtTees = m_split->isChecked();
    std::string problem = NumberOption::Parse(tr("连接判断精度").toStdString(),
                                              m_tolerance->text().trimmed().toStdString(), {0.0, 1e6}, o.tolerance);
    if (problem.empty() && !m_epsg->text().trimmed().isEmpty()) {
        long long code = 0;
        problem = NumberOption::ParseInt("EPSG", m_epsg->text().trimmed().toStdString(), 1024, 999999, code);
        o.projectTo = static_cast<int>(code);
    }
    if (problem.empty()) {
        try {
            for (const QString& item : m_map->text().split(QLatin1Char(';'), Qt::SkipEmptyParts))
                if (!item.trimmed().isEmpty())
                    o.map.push_back(GisAttributeMap::Parse(item.trimmed().toStdString()));
        } catch (const GisError& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
        return;
    }
    m_options = o;
    QDialog::accept();
}
