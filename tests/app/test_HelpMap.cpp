// The guide holds a section for every dialog of the program, in both languages, and its links
// lead to pages and sections that exist.
#include "app/help/CGuide.h"
#include "app/help/CHelpMap.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {
// Every class of app/, views/ and cad/ deriving from QDialog, through any chain of ours.
QStringList DialogClasses()
{
    QMap<QString, QStringList> bases;
    const QRegularExpression decl(QStringLiteral("class\\s+(\\w+)\\s*(?:final\\s*)?:\\s*([^{]+)\\{"));
    const QRegularExpression base(QStringLiteral("(?:public|protected|private)?\\s*([\\w:]+)"));
    for (const char* folder : {"app", "views", "cad"}) {
        QDirIterator it(QStringLiteral(QEN_SOURCE_DIR "/") + QLatin1String(folder),
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            for (auto m = decl.globalMatch(text); m.hasNext();) {
                const auto c = m.next();
                for (const QString& b : c.captured(2).split(QLatin1Char(','))) {
                    const auto bm = base.match(b.trimmed());
                    if (bm.hasMatch())
                        bases[c.captured(1)].append(bm.captured(1));
                }
            }
        }
    }
    QStringList dialogs;
    for (auto it = bases.cbegin(); it != bases.cend(); ++it) {
        QStringList todo = it.value();
        QSet<QString> seen;
        while (!todo.isEmpty()) {
            const QString b = todo.takeFirst();
            if (b == QLatin1String("QDialog")) {
                dialogs.append(it.key());
                break;
            }
            if (!seen.contains(b)) {
                seen.insert(b);
                todo.append(bases.value(b));
            }
        }
    }
    return dialogs;
}

QSet<QString> Anchors(const QString& language, const QString& file)
{
    QSet<QString> anchors;
    for (const CGuide::Section& s : CGuide::Parse(file, CGuide::Source(language, file)).sections)
        if (!s.anchor.isEmpty())
            anchors.insert(s.anchor);
    return anchors;
}
}   // namespace

class TestHelpMap : public QObject {
    Q_OBJECT
private slots:
    void everyDialogHasItsSectionInBothLanguages()
    {
        const QStringList dialogs = DialogClasses();
        // The scan itself finds the dialogs, direct and through CPropertyDlg.
        QVERIFY(dialogs.contains(QStringLiteral("COptionSheet")));
        QVERIFY(dialogs.contains(QStringLiteral("CValvePropertyDlg")));
        QVERIFY(dialogs.size() >= 15);
        for (const QString& d : dialogs)
            QVERIFY2(CHelpMap::All().contains(d),
                     qPrintable(d + QStringLiteral(" has no help section: add it to app/help/CHelpMap.cpp")));
        for (auto it = CHelpMap::All().cbegin(); it != CHelpMap::All().cend(); ++it) {
            const QString file = it.value().section(QLatin1Char('#'), 0, 0);
            const QString anchor = it.value().section(QLatin1Char('#'), 1);
            for (const QString& language : {QStringLiteral("zh"), QStringLiteral("en")})
                QVERIFY2(Anchors(language, file).contains(anchor),
                         qPrintable(QStringLiteral("%1: %2/%3 has no {#%4}").arg(it.key(), language, file, anchor)));
        }
    }

    void pagesLinksAndPicturesResolve()
    {
        const QRegularExpression link(QStringLiteral("\\]\\(([^)#\\s]*)(?:#([^)\\s]+))?\\)"));
        for (const QString& language : {QStringLiteral("zh"), QStringLiteral("en")}) {
            for (const QString& file : CGuide::Files()) {
                const QString text = CGuide::Source(language, file);
                QVERIFY2(!text.isEmpty(),
                         qPrintable(language + QLatin1Char('/') + file + QStringLiteral(" is missing")));
                // Both languages have the same sections to link to.
                QCOMPARE(Anchors(language, file), Anchors(QStringLiteral("zh"), file));
                for (auto m = link.globalMatch(text); m.hasNext();) {
                    const auto l = m.next();
                    const QString target = l.captured(1).isEmpty() ? file : l.captured(1);
                    if (target.startsWith(QLatin1String("http")))
                        continue;
                    const QString where = QStringLiteral("%1/%2: link %3").arg(language, file, l.captured(0));
                    if (target.endsWith(QLatin1String(".png"))) {
                        QVERIFY2(QFile::exists(QDir::cleanPath(QStringLiteral(":/guide/") + language +
                                                               QLatin1Char('/') + target)),
                                 qPrintable(where));
                        continue;
                    }
                    QVERIFY2(CGuide::Files().contains(target), qPrintable(where));
                    if (!l.captured(2).isEmpty())
                        QVERIFY2(Anchors(language, target).contains(l.captured(2)), qPrintable(where));
                }
            }
        }
    }

    void headingMarksBecomeAnchors()
    {
        const QString html = CGuide::ToHtml(QStringLiteral("# 平差 {#balance}\n\ntext [x](a.md#b)\n"));
        QVERIFY(html.contains(QStringLiteral("name=\"balance\"")));
        QVERIFY(!html.contains(QStringLiteral("{#")));
        const CGuide::Page p =
            CGuide::Parse(QStringLiteral("a.md"), QStringLiteral("# 标题 {#top}\n## 一 {#one}\nx\n```\n# not\n```\n"));
        QCOMPARE(p.title, QStringLiteral("标题"));
        QCOMPARE(p.sections.size(), 2);
        QCOMPARE(p.sections[1].anchor, QStringLiteral("one"));
        QVERIFY(p.sections[1].text.contains(QStringLiteral("# not")));
    }
};

QTEST_MAIN(TestHelpMap)
#include "test_HelpMap.moc"
