#include "CProgressWnd.h"
#include "ui_CProgressWnd.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

CProgressWnd::CProgressWnd(QWidget* owner, const QString& caption)
    : QDialog(owner), m_ui(std::make_unique<Ui::CProgressWnd>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    // Window modality keeps the owner from taking input; disabling the owner widget itself would
    // disable this window too, being its child.
    setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    m_ui->progressBar->setRange(m_low, m_high);
    m_ui->progressBar->setValue(m_low);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CProgressWnd::PressCancel);
    show();
    QCoreApplication::processEvents();
}

CProgressWnd::~CProgressWnd() = default;

void CProgressWnd::SetStatus(const QString& text)
{
    m_ui->statusText->setText(text);
}

void CProgressWnd::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
    m_ui->progressBar->setRange(low, high);
}

void CProgressWnd::SetPos(int pos)
{
    QCoreApplication::processEvents();
    m_ui->progressBar->setValue(pos);
    const int span = m_high - m_low;
    const int percent = span != 0 ? int((long long)(pos - m_low) * 100 / span) : 0;
    const QString text = QStringLiteral("%1%").arg(percent);
    if (m_ui->percentText->text() != text)
        m_ui->percentText->setText(text);
}

int CProgressWnd::Pos() const
{
    return m_ui->progressBar->value();
}

QString CProgressWnd::PercentText() const
{
    return m_ui->percentText->text();
}

QString CProgressWnd::StatusText() const
{
    return m_ui->statusText->text();
}

bool CProgressWnd::CheckCancel()
{
    QCoreApplication::processEvents();
    const bool pressed = m_cancelPressed;
    m_cancelPressed = false;
    return pressed;
}

void CProgressWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}

void CProgressWnd::closeEvent(QCloseEvent* e)
{
    PressCancel();
    e->ignore();
}
