#include "CNamedViewDlg.h"

#include "GbkText.h"

#include "model/Prompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CNamedViewDlg::CNamedViewDlg(std::vector<ZNamedView>& views, const ViewExtent& shown, Prompt* prompt, QWidget* parent)
    : QDialog(parent), m_views(views), m_prompt(prompt)
{
    setWindowTitle(tr("定义视图"));
    setObjectName(QStringLiteral("namedViewDlg"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    static const char* const captions[] = {
        QT_TRANSLATE_NOOP("CNamedViewDlg", "左:"), QT_TRANSLATE_NOOP("CNamedViewDlg", "上:"),
        QT_TRANSLATE_NOOP("CNamedViewDlg", "右:"), QT_TRANSLATE_NOOP("CNamedViewDlg", "下:")};
    const double values[] = {shown.left, shown.top, shown.right, shown.bottom};
    auto* area = new QGroupBox(tr("视图区域"), this);
    auto* grid = new QFormLayout(area);
    for (int i = 0; i < 4; ++i) {
        m_rect[i] = new QLineEdit(QString::number(values[i], 'g', 12), area);
        m_rect[i]->setObjectName(QStringLiteral("rect%1").arg(i));
        grid->addRow(tr(captions[i]), m_rect[i]);
    }
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    for (const ZNamedView& v : m_views)
        m_list->addItem(GbkText::ToQString(v.ViewName));
    auto* add = new QPushButton(tr("添加"), this);
    m_delete = new QPushButton(tr("删除"), this);
    m_update = new QPushButton(tr("更新"), this);
    auto* close = new QPushButton(tr("返回"), this);
    add->setObjectName(QStringLiteral("add"));
    m_delete->setObjectName(QStringLiteral("delete"));
    m_update->setObjectName(QStringLiteral("update"));
    close->setObjectName(QStringLiteral("close"));

    auto* left = new QVBoxLayout;
    auto* nameRow = new QFormLayout;
    nameRow->addRow(tr("名称:"), m_name);
    left->addLayout(nameRow);
    left->addWidget(area);
    left->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, m_delete, m_update})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CNamedViewDlg::Add);
    connect(m_update, &QPushButton::clicked, this, &CNamedViewDlg::Update);
    connect(m_delete, &QPushButton::clicked, this, &CNamedViewDlg::Delete);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CNamedViewDlg::OnSelection);
    UpdateButtons();
}

void CNamedViewDlg::UpdateButtons()
{
    const bool selected = m_list->currentRow() >= 0 && m_list->currentItem() && m_list->currentItem()->isSelected();
    m_delete->setEnabled(selected);
    m_update->setEnabled(selected);
}

void CNamedViewDlg::OnSelection()
{
    const int row = m_list->currentRow();
    if (row >= 0 && row < static_cast<int>(m_views.size())) {
        const ZNamedView& v = m_views[static_cast<size_t>(row)];
        m_name->setText(GbkText::ToQString(v.ViewName));
        const double values[] = {v.ViewRect.left, v.ViewRect.top, v.ViewRect.right, v.ViewRect.bottom};
        for (int i = 0; i < 4; ++i)
            m_rect[i]->setText(QString::number(values[i], 'g', 12));
    }
    UpdateButtons();
}

void CNamedViewDlg::Refuse(const QString& text, QWidget* focus)
{
    if (m_prompt)
        m_prompt->Inform(text.toStdString());
    focus->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(focus))
        edit->selectAll();
}

bool CNamedViewDlg::ReadEdits(ZNamedView& out, int exceptRow)
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        Refuse(tr("字符串不能为空!"), m_name);
        return false;
    }
    for (int i = 0; i < m_list->count(); ++i) {
        if (i != exceptRow && m_list->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            Refuse(tr("视图名称已经存在!"), m_name);
            return false;
        }
    }
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = m_rect[i]->text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) {
            Refuse(tr("请输入一个数。"), m_rect[i]);
            return false;
        }
    }
    out.ViewName = GbkText::FromQString(name);
    out.ViewRect = ViewExtent{v[0], v[3], v[2], v[1]};
    out.ViewRect.Normalize();
    return true;
}

bool CNamedViewDlg::Add()
{
    ZNamedView v;
    if (!ReadEdits(v, -1))
        return false;
    m_views.push_back(v);
    m_list->addItem(GbkText::ToQString(v.ViewName));
    m_changed = true;
    UpdateButtons();
    return true;
}

bool CNamedViewDlg::Update()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_views.size()))
        return false;
    ZNamedView v;
    if (!ReadEdits(v, row))
        return false;
    m_views[static_cast<size_t>(row)] = v;
    m_list->item(row)->setText(GbkText::ToQString(v.ViewName));
    m_changed = true;
    UpdateButtons();
    return true;
}

void CNamedViewDlg::Delete()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_views.size()))
        return;
    m_views.erase(m_views.begin() + row);
    delete m_list->takeItem(row);
    m_list->setCurrentRow(-1);
    m_changed = true;
    UpdateButtons();
}
