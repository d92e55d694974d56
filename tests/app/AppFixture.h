#pragma once
#include "ScriptedPrompt.h"
#include "app/CQENApp.h"
#include "app/CQENDocManager.h"
#include "app/QSettingsKeyValueStore.h"

#include <QTemporaryDir>
#include <deque>
#include <memory>

// File names answered from a script instead of a file dialog.
class ScriptedDocManager : public CQENDocManager {
public:
    std::deque<QString> names;
    QString PromptFileName(QWidget*, const QString&, bool, const QString&) override
    {
        if (names.empty())
            return {};
        QString n = names.front();
        names.pop_front();
        return n;
    }
};

// A running program over a throw-away profile, with scripted answers and file names.
struct AppFixture {
    QTemporaryDir dir;
    ScriptedPrompt* prompt = nullptr;
    ScriptedDocManager* files = nullptr;
    std::unique_ptr<CQENApp> app;

    explicit AppFixture(bool withFrame = true)
    {
        auto p = std::make_unique<ScriptedPrompt>();
        prompt = p.get();
        app = std::make_unique<CQENApp>(std::make_unique<QSettingsKeyValueStore>(dir.filePath("profile.ini")),
                                        std::move(p));
        auto m = std::make_unique<ScriptedDocManager>();
        files = m.get();
        app->SetDocManager(std::move(m));
        app->RecoveryRoot = dir.filePath("recovery");
        // The texts the tests compare are Chinese, whatever the machine's locale.
        app->Language = QStringLiteral("zh");
        if (withFrame)
            app->InitInstance();
    }

    static QString Network(const char* name) { return QStringLiteral(QEN_TEST_DATA_DIR "/networks/") + name; }
};
