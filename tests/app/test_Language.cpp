// The interface language: chosen by --language, the options or the system's locale, remembered
// by the options page, and in English the main window's menus and bars hold no Chinese.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"

#include "app/frames/CMainFrame.h"
#include "app/frames/CommandTable.h"
#include "app/options/COptionSheet.h"
#include "app/options/COptionUnitPage.h"
#include "app/translations/CLanguage.h"
#include "model/ZDrawSettings.h"
#include "model/ZSettingsStore.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

namespace {
const QRegularExpression& Cjk()
{
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return re;
}

// Every text of the menus (with their submenus) and bars that holds a Chinese character.
QStringList ChineseTexts(CMainFrame* frame)
{
    QStringList found;
    QList<QMenu*> menus;
    for (QAction* a : frame->menuBar()->actions())
        if (a->menu())
            menus.append(a->menu());
    while (!menus.isEmpty()) {
        QMenu* m = menus.takeFirst();
        if (m->title().contains(Cjk()))
            found << m->title();
        for (QAction* a : m->actions()) {
            if (a->menu())
                menus.append(a->menu());
            else if (a->isVisible() && (a->text().contains(Cjk()) || a->statusTip().contains(Cjk())))
                found << a->text() + QStringLiteral(" / ") + a->statusTip();
        }
    }
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        if (bar->windowTitle().contains(Cjk()))
            found << bar->windowTitle();
        for (QAction* a : bar->actions())
            if (a->toolTip().contains(Cjk()))
                found << a->toolTip();
    }
    // The coordinate bar's caption and the status bar's panes.
    for (QLabel* l : frame->findChildren<QLabel*>())
        if (l->text().contains(Cjk()))
            found << l->text();
    return found;
}
}   // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void choiceFollowsCommandLineThenOptionsThenSystem()
    {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const QLocale french(QLocale::French, QLocale::France);
        QCOMPARE(CLanguage::Choose(QStringLiteral("en"), ZSettingsStore::LanguageChinese, chinese), CLanguage::English);
        QCOMPARE(CLanguage::Choose(QStringLiteral("zh"), ZSettingsStore::LanguageEnglish, english), CLanguage::Chinese);
        QCOMPARE(CLanguage::Choose(QString(), ZSettingsStore::LanguageEnglish, chinese), CLanguage::English);
        QCOMPARE(CLanguage::Choose(QString(), ZSettingsStore::LanguageChinese, english), CLanguage::Chinese);
        QCOMPARE(CLanguage::Choose(QString(), ZSettingsStore::LanguageSystem, english), CLanguage::English);
        QCOMPARE(CLanguage::Choose(QString(), ZSettingsStore::LanguageSystem, chinese), CLanguage::Chinese);
        QCOMPARE(
            CLanguage::Choose(QString(), ZSettingsStore::LanguageSystem, QLocale(QLocale::Chinese, QLocale::Taiwan)),
            CLanguage::Chinese);
        // Neither Chinese nor English: Chinese, the program's own language.
        QCOMPARE(CLanguage::Choose(QString(), ZSettingsStore::LanguageSystem, french), CLanguage::Chinese);
    }

    void englishMainWindowHasNoChineseAndChineseIsAsBefore()
    {
        {
            AppFixture f(false);
            f.app->Language = QStringLiteral("en");
            QVERIFY(f.app->InitInstance());
            QCOMPARE(CLanguage::Current(), CLanguage::English);
            CMainFrame* frame = f.app->MainFrame();
            frame->UpdateCommandUI();
            const QStringList chinese = ChineseTexts(frame);
            QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
            QCOMPARE(frame->menuBar()->actions().first()->text(), QStringLiteral("&File"));
            // Every command, shown or not (an entry added without QT_TRANSLATE_NOOP is missed by
            // lupdate and stays Chinese).
            for (const CommandTable::Entry& e : CommandTable::All())
                QVERIFY2(!CommandTable::Text(e).contains(Cjk()) && !CommandTable::Prompt(e).contains(Cjk()), e.text);
            QCOMPARE(frame->Action(Cmd::Balance)->text(), QStringLiteral("&Balance Network"));
            f.app->NewDocument();
            Screenshot(frame, QStringLiteral("main-english"));
            // A document's table window is titled in English too.
            frame->ExecuteCommand(Cmd::WindowTable);
            QVERIFY(frame->ActiveFrame()->windowTitle().endsWith(QStringLiteral(" - Table[*]")));
            int i = 0;
            for (QAction* a : frame->menuBar()->actions()) {
                a->menu()->popup(frame->mapToGlobal(QPoint(0, 0)));
                QApplication::processEvents();
                Screenshot(a->menu(), QStringLiteral("menu-english-%1").arg(++i));
                a->menu()->hide();
            }
        }
        AppFixture f;
        QCOMPARE(CLanguage::Current(), CLanguage::Chinese);
        QCOMPARE(f.app->MainFrame()->menuBar()->actions().first()->text(), QStringLiteral("文件(&F)"));
        QCOMPARE(f.app->MainFrame()->Action(Cmd::Balance)->statusTip(), QStringLiteral("进行管网平差计算"));
    }

    void optionsPageKeepsTheChoiceForTheNextStart()
    {
        ZSettingsStore settings;
        ZDrawSettings draw;
        ScriptedPrompt prompt;
        {
            // OK without touching it leaves the profile following the system.
            COptionSheet sheet(settings, draw, &prompt);
            sheet.accept();
            QCOMPARE(settings.InterfaceLanguage, int(ZSettingsStore::LanguageSystem));
        }
        COptionSheet sheet(settings, draw, &prompt);
        auto* page = sheet.PageOf<COptionUnitPage>();
        QComboBox* box = page->LanguageBox();
        QCOMPARE(box->count(), 2);
        box->setCurrentIndex(box->findText(QStringLiteral("English")));
        QVERIFY(page->findChild<QLabel*>(QStringLiteral("languageNote"))->text().contains(QStringLiteral("重新启动")));
        sheet.accept();
        QCOMPARE(settings.InterfaceLanguage, int(ZSettingsStore::LanguageEnglish));
        COptionSheet again(settings, draw, &prompt);
        QCOMPARE(again.PageOf<COptionUnitPage>()->LanguageBox()->currentText(), QStringLiteral("English"));
        again.PageOf<COptionUnitPage>()->LanguageBox()->setCurrentIndex(0);
        again.accept();
        QCOMPARE(settings.InterfaceLanguage, int(ZSettingsStore::LanguageChinese));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_Language.moc"
