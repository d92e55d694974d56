#pragma once
#include "model/ZProjectTitle.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLineEdit;
class UiPrompt;

// 导出计算书: the title block (工程名称, 设计人, 日期) kept with the project, the cases to balance
// for the report, and the file, whose extension picks the workbook (.xlsx) or the PDF (.pdf).
class CReportDlg : public QDialog {
    Q_OBJECT
public:
    CReportDlg(UiPrompt& prompt, QWidget* parent = nullptr);

    // `cases` checked (ZDrawSettings::CalcCaseValue), the others not.
    void SetValues(const ZProjectTitle& title, const std::vector<int>& cases, const QString& path);
    ZProjectTitle Title() const { return m_title; }
    std::vector<int> Cases() const { return m_cases; }
    QString Path() const { return m_path; }

    QLineEdit* ProjectEdit() const { return m_project; }
    QLineEdit* DesignerEdit() const { return m_designer; }
    QLineEdit* DateEdit() const { return m_date; }
    QLineEdit* PathEdit() const { return m_pathEdit; }
    QCheckBox* CaseBox(int calcCase) const { return m_caseBoxes[static_cast<size_t>(calcCase)]; }

    // Refuses, with a warning and the focus on the field, a title GBK cannot hold, no case, an
    // empty file name or an extension other than xlsx or pdf (none: .xlsx is added).
    void accept() override;

private:
    void Browse();
    bool ReadText(QLineEdit* edit, const QString& caption, GbkString& out);

    UiPrompt& m_prompt;
    QLineEdit* m_project;
    QLineEdit* m_designer;
    QLineEdit* m_date;
    QLineEdit* m_pathEdit;
    std::vector<QCheckBox*> m_caseBoxes;
    ZProjectTitle m_title;
    std::vector<int> m_cases;
    QString m_path;
};
