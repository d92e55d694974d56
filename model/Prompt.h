#pragma once
#include <string>

// How the core asks the user something or tells them something. The program answers with message
// boxes, the command-line tool from its options, tests from a script. Texts are UTF-8.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void Inform(const std::string& text) = 0;
};
