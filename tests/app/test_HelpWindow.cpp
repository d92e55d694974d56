// The help window: 帮助主题 opens the guide, its search finds sections in either language, a link
// and back/forward move between pages, and F1 in a dialog opens that dialog's section.
#include "AppFixture.h"
#include "ModalHelper.h"

#include "app/frames/CMainFrame.h"
#include "app/help/CHelpBrowser.h"
#include "app/help/CHelpWindow.h"
#include "app/options/COptionSheet.h"
#include "app/translations/CLanguage.h"
#include "model/ZDrawSettings.h"
#include "model/ZSettingsStore.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QListWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
// The middle of the first link in the shown page leading to another page, in viewport pixels.
bool FirstLinkToOtherPage(QTextBrowser* b, QPoint& at, QString& href)
{
    for (QTextBlock block = b->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QString h = f.charFormat().anchorHref();
            if (!f.charFormat().isAnchor() || !h.contains(QLatin1String(".md")) || h.startsWith(QLatin1String("http")))
                continue;
            QTextCursor c(b->document());
            c.setPosition(f.position() + f.length() / 2);
            b->setTextCursor(c);
            b->ensureCursorVisible();
            at = b->cursorRect(c).center();
            href = h;
            return true;
        }
    }
    return false;
}

void Click(QListWidget* list, QListWidgetItem* item)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}
}   // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void helpTopicsOpensTheGuideSearchLinksAndHistory()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        frame->UpdateCommandUI();
        QAction* topics = frame->Action(Cmd::HelpTopics);
        QVERIFY(topics->isEnabled());
        QCOMPARE(topics->shortcut(), QKeySequence(QKeySequence::HelpContents));
        topics->trigger();
        auto* help = frame->findChild<CHelpWindow*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Shown(), QStringLiteral("index.md"));
        QVERIFY(help->Contents()->topLevelItemCount() >= 10);
        QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("QEN")));
        Screenshot(help, QStringLiteral("help-window"));

        // Search, then open a hit: the browser shows its section.
        help->SearchField()->setText(QStringLiteral("平差"));   // QTest types Latin-1 only
        QTest::keyClick(help->SearchField(), Qt::Key_Return);
        QVERIFY(help->Results()->isVisible());
        QVERIFY(help->Results()->count() >= 3);
        QListWidgetItem* hit = help->Results()->item(1);
        Click(help->Results(), hit);
        const QString target = hit->data(Qt::UserRole).toString();
        QCOMPARE(help->Shown(), target);
        Screenshot(help, QStringLiteral("help-search"));

        // A link in the page leads on; back and forward return.
        QPoint at;
        QString href;
        QVERIFY(FirstLinkToOtherPage(help->Browser(), at, href));
        QTest::mouseClick(help->Browser()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(help->Shown(), href.section(QLatin1Char('/'), -1));
        QVERIFY(help->BackButton()->isEnabled());
        QTest::mouseClick(help->BackButton(), Qt::LeftButton);
        QCOMPARE(help->Shown(), target);
        QVERIFY(help->ForwardButton()->isEnabled());
        QTest::mouseClick(help->ForwardButton(), Qt::LeftButton);
        QCOMPARE(help->Shown(), href.section(QLatin1Char('/'), -1));

        // Emptying the field brings the contents back.
        help->SearchField()->clear();
        QVERIFY(help->Contents()->isVisible() && !help->Results()->isVisible());
    }

    void searchFindsInEachLanguageAndSaysWhenNothingIs()
    {
        CHelpWindow zh(QStringLiteral("zh"));
        QCOMPARE(zh.BackButton()->text(), QStringLiteral("后退"));
        QVERIFY(zh.Search(QStringLiteral("平差")) >= 3);
        // The English window under the English interface: its own texts hold no Chinese either.
        CLanguage::Install(CLanguage::English);
        CHelpWindow en;
        CLanguage::Install(CLanguage::Chinese);
        for (QWidget* w : en.findChildren<QWidget*>()) {
            const QString text = w->property("text").toString() + w->property("placeholderText").toString();
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))), qPrintable(text));
        }
        QVERIFY(en.Search(QStringLiteral("balance")) >= 3);
        QVERIFY(en.Search(QStringLiteral("BALANCE pipe")) >= 1);   // every word, any case
        QCOMPARE(en.Search(QStringLiteral("zzqqxx")), 0);
        QCOMPARE(en.Results()->count(), 1);
        QVERIFY(en.Results()->item(0)->text().contains(QStringLiteral("zzqqxx")));
        // The English window has English contents.
        QCOMPARE(en.Contents()->topLevelItemCount(), zh.Contents()->topLevelItemCount());
        // Pictures resolve beside the pages.
        en.Open(QStringLiteral("calculations.md#balance"));
        int pictures = 0;
        for (QTextBlock b = en.Browser()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QUrl url =
                        en.Browser()->source().resolved(QUrl(it.fragment().charFormat().toImageFormat().name()));
                    QVERIFY2(!en.Browser()->loadResource(QTextDocument::ImageResource, url).isNull(),
                             qPrintable(url.toString()));
                    ++pictures;
                }
        QVERIFY(pictures >= 3);
        en.SearchField()->setText(QStringLiteral("balance"));
        QVERIFY(en.Search(en.SearchField()->text()) >= 3);
        en.show();
        Screenshot(&en, QStringLiteral("help-window-en"));
        QVERIFY(!en.Contents()->topLevelItem(1)->text(0).contains(
            QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
    }

    void f1InADialogOpensItsSection()
    {
        AppFixture f;
        ZSettingsStore settings;
        ZDrawSettings draw;
        COptionSheet sheet(settings, draw, f.prompt, f.app->MainFrame());
        QString shown;
        bool visible = false;
        OnNextModal([&](QWidget* w) {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
            if (auto* help = w->findChild<CHelpWindow*>()) {
                shown = help->Shown();
                visible = help->isVisible();
                // The dialog's own help window is not blocked by the dialog.
                QVERIFY(!help->testAttribute(Qt::WA_Disabled));
                Screenshot(help, QStringLiteral("help-f1-options"));
            }
            w->close();
        });
        sheet.exec();
        QCOMPARE(shown, QStringLiteral("options.md#options"));
        QVERIFY(visible);
        // F1 in the main window is left to its 帮助主题 shortcut.
        QVERIFY(!f.app->MainFrame()->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_HelpWindow.moc"
