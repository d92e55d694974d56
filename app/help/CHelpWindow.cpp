#include "CHelpWindow.h"
#include "CGuide.h"
#include "CHelpBrowser.h"
#include "app/translations/CLanguage.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kSectionRole = Qt::UserRole;
}

CHelpWindow::CHelpWindow(const QString& language, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language.isEmpty() ? CLanguage::Code(CLanguage::Current()) : language)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("QEN 帮助"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_back = new QToolButton(this);
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setText(tr("后退"));
    m_back->setShortcut(QKeySequence::Back);
    m_back->setEnabled(false);
    m_forward = new QToolButton(this);
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setText(tr("前进"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_forward->setEnabled(false);
    auto* home = new QToolButton(this);
    home->setText(tr("目录"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("helpSearch"));
    m_search->setPlaceholderText(tr("搜索帮助"));
    m_search->setClearButtonEnabled(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(home);
    bar->addStretch(1);
    bar->addWidget(new QLabel(tr("搜索:"), this));
    bar->addWidget(m_search, 1);

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("helpResults"));
    m_results->hide();
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_contents);
    leftLayout->addWidget(m_results);
    m_browser = new CHelpBrowser(this);

    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 660});
    auto* top = new QVBoxLayout(this);
    top->addLayout(bar);
    top->addWidget(split, 1);
    resize(960, 680);

    FillContents();
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(home, &QToolButton::clicked, this, [this]() { Open(QString()); });
    auto go = [this](const QVariant& section) { Open(section.toString()); };
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [go](QTreeWidgetItem* item) { go(item->data(0, kSectionRole)); });
    connect(m_results, &QListWidget::itemClicked, this, [go](QListWidgetItem* item) { go(item->data(kSectionRole)); });
    connect(m_search, &QLineEdit::returnPressed, this, [this]() { Search(m_search->text()); });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty())
            Search(QString());
    });
}

void CHelpWindow::FillContents()
{
    for (const CGuide::Page& p : CGuide::Pages(m_language)) {
        auto* page = new QTreeWidgetItem(m_contents, {p.title});
        page->setData(0, kSectionRole, p.file);
        for (const CGuide::Section& s : p.sections) {
            if (s.level != 2)
                continue;
            auto* item = new QTreeWidgetItem(page, {s.title});
            item->setData(0, kSectionRole, s.anchor.isEmpty() ? p.file : p.file + QLatin1Char('#') + s.anchor);
        }
    }
}

void CHelpWindow::Open(const QString& section)
{
    const QString target = section.isEmpty() ? CGuide::Files().first() : section;
    m_browser->setSource(QUrl(CGuide::Url(m_language, target)));
}

QString CHelpWindow::Shown() const
{
    const QUrl u = m_browser->source();
    const QString file = u.path().section(QLatin1Char('/'), -1);
    return u.fragment().isEmpty() ? file : file + QLatin1Char('#') + u.fragment();
}

int CHelpWindow::Search(const QString& query)
{
    m_results->clear();
    if (query.trimmed().isEmpty()) {
        m_results->hide();
        m_contents->show();
        return 0;
    }
    const auto hits = CGuide::Search(m_language, query);
    for (const CGuide::Hit& h : hits) {
        auto* item = new QListWidgetItem(h.title, m_results);
        item->setData(kSectionRole, h.anchor.isEmpty() ? h.file : h.file + QLatin1Char('#') + h.anchor);
    }
    if (hits.isEmpty())
        new QListWidgetItem(tr("没有找到 \"%1\"").arg(query.trimmed()), m_results);
    m_contents->hide();
    m_results->show();
    return int(hits.size());
}

CHelpWindow* CHelpWindow::ShowSection(const QString& section, QWidget* owner)
{
    static QPointer<CHelpWindow> main;
    CHelpWindow* w = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(owner)) {
        w = dialog->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!w)
            w = new CHelpWindow(QString(), dialog);
    } else {
        if (!main)
            main = new CHelpWindow(QString(), owner);
        w = main;
    }
    w->Open(section);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}
