#include "CAboutDlg.h"
#include "VectorIconEngine.h"
#include "ui_CAboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    m_ui->iconLabel->setPixmap(VectorIconEngine::ForCommand(VectorIconEngine::AppIconId).pixmap(48, 48));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;
