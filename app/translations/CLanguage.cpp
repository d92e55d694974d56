#include "CLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {
CLanguage::Language g_current = CLanguage::Chinese;
// Owned by the application object: a new one starts without them.
QPointer<QTranslator> g_program;
QPointer<QTranslator> g_qt;

void Remove(QPointer<QTranslator>& t)
{
    if (!t)
        return;
    QCoreApplication::removeTranslator(t);
    delete t.data();
}
}   // namespace

CLanguage::Language CLanguage::FromSystem(const QLocale& system)
{
    return system.language() == QLocale::English ? English : Chinese;
}

bool CLanguage::Parse(const QString& code, Language& out)
{
    if (code == QLatin1String("zh"))
        out = Chinese;
    else if (code == QLatin1String("en"))
        out = English;
    else
        return false;
    return true;
}

QString CLanguage::Code(Language language)
{
    return language == English ? QStringLiteral("en") : QStringLiteral("zh");
}

CLanguage::Language CLanguage::Choose(const QString& commandLine, int stored, const QLocale& system)
{
    Language l = Chinese;
    if (Parse(commandLine, l))
        return l;
    if (stored == 1)
        return Chinese;
    if (stored == 2)
        return English;
    return FromSystem(system);
}

bool CLanguage::Install(Language language)
{
    Remove(g_program);
    Remove(g_qt);
    g_current = language;
    bool ok = true;
    // The sources are Chinese: only English needs the program's own translation.
    if (language == English) {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (t->load(QStringLiteral(":/i18n/qen_en.qm"))) {
            QCoreApplication::installTranslator(t);
            g_program = t;
        } else {
            delete t;
            ok = false;
        }
    }
    // Qt's own texts (standard buttons, file and print dialogs) are English without a file.
    if (language == Chinese) {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (t->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(t);
            g_qt = t;
        } else {
            delete t;
            ok = false;
        }
    }
    return ok;
}

CLanguage::Language CLanguage::Current()
{
    return g_current;
}
