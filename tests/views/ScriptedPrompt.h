#pragma once
#include "views/UiPrompt.h"

#include <deque>
#include <string>
#include <vector>

// Answers questions from a script and records every text it was shown. A question with no
// scripted answer left is answered "no" (or "cancel") and counted as unexpected.
class ScriptedPrompt : public UiPrompt {
public:
    std::deque<Answer> answers;
    std::vector<std::string> shown;
    int unexpected = 0;

    bool AskYesNo(const std::string& text) override { return Next(text) == Yes; }
    void Inform(const std::string& text) override { shown.push_back(text); }
    Answer AskYesNoCancel(const std::string& text) override { return Next(text); }
    void Warn(const std::string& text) override { shown.push_back(text); }

    std::string Last() const { return shown.empty() ? std::string() : shown.back(); }

private:
    Answer Next(const std::string& text)
    {
        shown.push_back(text);
        if (answers.empty()) {
            ++unexpected;
            return Cancel;
        }
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};
