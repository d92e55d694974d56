#pragma once
#include "model/Prompt.h"

// The program's questions beyond yes/no: closing a modified document may also be cancelled, and
// failures are shown as warnings. Tests answer with a script instead of message boxes.
class UiPrompt : public Prompt {
public:
    enum Answer { Yes, No, Cancel };
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    virtual void Warn(const std::string& text) = 0;
    // Unsaved work was found after an unclean end: Yes "恢复", No "放弃", Cancel keeps it for later.
    virtual Answer AskRecovery(const std::string& text) { return AskYesNoCancel(text); }
};
