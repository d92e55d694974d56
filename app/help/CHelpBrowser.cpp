#include "CHelpBrowser.h"
#include "CGuide.h"

#include <QFile>

CHelpBrowser::CHelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("helpBrowser"));
    setOpenExternalLinks(true);
}

void CHelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    // The pages are converted here, not read by Qt's Markdown reader, which makes no anchors.
    if (name.path().endsWith(QLatin1String(".md")))
        type = QTextDocument::HtmlResource;
    QTextBrowser::doSetSource(name, type);
}

QVariant CHelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name.path().endsWith(QLatin1String(".md"))) {
        QFile f(QLatin1Char(':') + name.path());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return CGuide::ToHtml(QString::fromUtf8(f.readAll()));
    }
    return QTextBrowser::loadResource(type, name);
}
