#include "CGuide.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
const QRegularExpression& AnchorMark()
{
    static const QRegularExpression re(QStringLiteral("\\s*\\{#([A-Za-z0-9_-]+)\\}\\s*$"));
    return re;
}
}   // namespace

QStringList CGuide::Files()
{
    return {QStringLiteral("index.md"),      QStringLiteral("start.md"),   QStringLiteral("editing.md"),
            QStringLiteral("properties.md"), QStringLiteral("cases.md"),   QStringLiteral("calculations.md"),
            QStringLiteral("results.md"),    QStringLiteral("options.md"), QStringLiteral("views.md"),
            QStringLiteral("cad.md"),        QStringLiteral("epanet.md"),  QStringLiteral("gis.md"),
            QStringLiteral("eps.md"),        QStringLiteral("report.md"),  QStringLiteral("sizing.md"),
            QStringLiteral("cli.md"),        QStringLiteral("files.md")};
}

QString CGuide::Source(const QString& language, const QString& file)
{
    QFile f(QStringLiteral(":/guide/%1/%2").arg(language, file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString CGuide::Url(const QString& language, const QString& fileAndAnchor)
{
    return QStringLiteral("qrc:/guide/%1/%2").arg(language, fileAndAnchor);
}

CGuide::Page CGuide::Parse(const QString& file, const QString& markdown)
{
    Page page;
    page.file = file;
    bool fenced = false;
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("```")))
            fenced = !fenced;
        int level = 0;
        while (!fenced && level < line.size() && line[level] == QLatin1Char('#'))
            ++level;
        if (level > 0 && level <= 6 && level < line.size() && line[level] == QLatin1Char(' ')) {
            Section s;
            s.level = level;
            s.title = line.mid(level + 1).trimmed();
            const auto m = AnchorMark().match(s.title);
            if (m.hasMatch()) {
                s.anchor = m.captured(1);
                s.title = s.title.left(m.capturedStart()).trimmed();
            }
            if (page.title.isEmpty() && level == 1)
                page.title = s.title;
            page.sections.append(s);
        } else if (!page.sections.isEmpty()) {
            page.sections.last().text += line + QLatin1Char('\n');
        }
    }
    if (page.title.isEmpty())
        page.title = file;
    return page;
}

QVector<CGuide::Page> CGuide::Pages(const QString& language)
{
    QVector<Page> pages;
    for (const QString& f : Files()) {
        const QString text = Source(language, f);
        if (!text.isEmpty())
            pages.append(Parse(f, text));
    }
    return pages;
}

QString CGuide::ToHtml(const QString& markdown)
{
    QTextDocument doc;
    doc.setMarkdown(markdown);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() == 0)
            continue;
        const auto m = AnchorMark().match(b.text());
        if (!m.hasMatch())
            continue;
        QTextCursor c(b);
        c.setPosition(b.position() + int(m.capturedStart()));
        c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        c.setPosition(b.position());
        c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setAnchor(true);
        f.setAnchorNames({m.captured(1)});
        c.mergeCharFormat(f);
    }
    return doc.toHtml();
}

QVector<CGuide::Hit> CGuide::Search(const QString& language, const QString& query)
{
    QVector<Hit> hits;
    const QStringList words = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return hits;
    for (const Page& p : Pages(language)) {
        for (const Section& s : p.sections) {
            const QString text = s.title + QLatin1Char('\n') + s.text;
            bool all = true;
            for (const QString& w : words)
                all = all && text.contains(w, Qt::CaseInsensitive);
            if (all)
                hits.append(
                    {p.file, s.anchor, s.title == p.title ? p.title : p.title + QStringLiteral(" › ") + s.title});
        }
    }
    return hits;
}
