#pragma once
#include <QCoreApplication>
#include "views/UiPrompt.h"

// Message boxes over the active window, captioned "QEN".
class QtPrompt : public UiPrompt {
    Q_DECLARE_TR_FUNCTIONS(QtPrompt)

public:
    bool AskYesNo(const std::string& text) override;
    void Inform(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void Warn(const std::string& text) override;
    Answer AskRecovery(const std::string& text) override;
};
