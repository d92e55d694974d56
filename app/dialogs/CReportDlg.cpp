#include "CReportDlg.h"

#include "views/GbkText.h"
#include "views/UiPrompt.h"
#include "views/ZReportExport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CReportDlg::CReportDlg(UiPrompt& prompt, QWidget* parent) : QDialog(parent), m_prompt(prompt)
{
    setWindowTitle(tr("导出计算书"));
    auto* layout = new QVBoxLayout(this);
    auto* titleBox = new QGroupBox(tr("图签"), this);
    auto* form = new QFormLayout(titleBox);
    m_project = new QLineEdit(titleBox);
    m_designer = new QLineEdit(titleBox);
    m_date = new QLineEdit(titleBox);
    form->addRow(tr("工程名称:"), m_project);
    form->addRow(tr("设计人:"), m_designer);
    form->addRow(tr("日期:"), m_date);
    layout->addWidget(titleBox);

    auto* caseBox = new QGroupBox(tr("计算工况"), this);
    auto* cases = new QHBoxLayout(caseBox);
    // ZBalanceRun::CaseName's texts, translatable here.
    static const char* const caseNames[] = {QT_TR_NOOP("最高时"), QT_TR_NOOP("消防时"), QT_TR_NOOP("事故时")};
    for (int c = 0; c < 3; ++c) {
        m_caseBoxes.push_back(new QCheckBox(tr(caseNames[c]), caseBox));
        cases->addWidget(m_caseBoxes.back());
    }
    layout->addWidget(caseBox);

    auto* fileRow = new QHBoxLayout;
    m_pathEdit = new QLineEdit(this);
    auto* browse = new QPushButton(tr("浏览..."), this);
    connect(browse, &QPushButton::clicked, this, &CReportDlg::Browse);
    fileRow->addWidget(m_pathEdit, 1);
    fileRow->addWidget(browse);
    auto* fileForm = new QFormLayout;
    fileForm->addRow(tr("文件:"), fileRow);
    layout->addLayout(fileForm);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReportDlg::reject);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

void CReportDlg::SetValues(const ZProjectTitle& title, const std::vector<int>& cases, const QString& path)
{
    m_project->setText(GbkText::ToQString(title.Project));
    m_designer->setText(GbkText::ToQString(title.Designer));
    m_date->setText(GbkText::ToQString(title.Date));
    for (int c = 0; c < 3; ++c)
        m_caseBoxes[static_cast<size_t>(c)]->setChecked(std::find(cases.begin(), cases.end(), c) != cases.end());
    m_pathEdit->setText(path);
}

void CReportDlg::Browse()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("导出计算书"), m_pathEdit->text(),
                                                      tr("Excel 工作簿 (*.xlsx);;PDF 文件 (*.pdf)"));
    if (!path.isEmpty())
        m_pathEdit->setText(path);
}

bool CReportDlg::ReadText(QLineEdit* edit, const QString& caption, GbkString& out)
{
    const QString text = edit->text().trimmed();
    if (!ZReportExport::FitsGbk(text)) {
        m_prompt.Warn(tr("%1中有GBK编码不能保存的字符").arg(caption).toStdString());
        edit->setFocus();
        return false;
    }
    out = GbkText::FromQString(text);
    return true;
}

void CReportDlg::accept()
{
    ZProjectTitle title;
    if (!ReadText(m_project, tr("工程名称"), title.Project) || !ReadText(m_designer, tr("设计人"), title.Designer) ||
        !ReadText(m_date, tr("日期"), title.Date))
        return;
    std::vector<int> cases;
    for (int c = 0; c < 3; ++c)
        if (m_caseBoxes[static_cast<size_t>(c)]->isChecked())
            cases.push_back(c);
    if (cases.empty()) {
        m_prompt.Warn(tr("请至少选择一个计算工况").toStdString());
        m_caseBoxes[0]->setFocus();
        return;
    }
    QString path = m_pathEdit->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    if (path.isEmpty() || ZReportExport::FormatOf(path).isEmpty()) {
        m_prompt.Warn(tr("请给出扩展名为 xlsx 或 pdf 的文件").toStdString());
        m_pathEdit->setFocus();
        return;
    }
    m_title = std::move(title);
    m_cases = std::move(cases);
    m_path = path;
    QDialog::accept();
}
