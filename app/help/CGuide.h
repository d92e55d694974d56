#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The user guide compiled into the resources: one Markdown file per topic for each interface
// language (:/guide/zh/*.md, :/guide/en/*.md, pictures in :/guide/images). A heading ending in
// `{#name}` is a section others link to as `file.md#name`; the help window shows the pages as
// HTML with those anchors.
class CGuide {
public:
    struct Section {
        QString anchor;   // empty for a heading without one
        QString title;
        int level = 1;
        QString text;   // the heading's own text up to the next heading, for the search
    };
    struct Page {
        QString file;   // "start.md"
        QString title;
        QVector<Section> sections;
    };
    struct Hit {
        QString file;
        QString anchor;
        QString title;   // "page title › section title"
    };

    // The pages of a language ("zh" or "en") in reading order.
    static QVector<Page> Pages(const QString& language);
    static QStringList Files();
    static QString Source(const QString& language, const QString& file);
    static QString Url(const QString& language, const QString& fileAndAnchor);
    // The Markdown as HTML with the `{#name}` marks turned into anchors.
    static QString ToHtml(const QString& markdown);
    // Sections whose title or text holds every word of `query`, ignoring case.
    static QVector<Hit> Search(const QString& language, const QString& query);
    static Page Parse(const QString& file, const QString& markdown);
};
