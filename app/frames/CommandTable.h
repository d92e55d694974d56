#pragma once
#include <QKeySequence>
#include <QString>
#include <vector>

// Every command of menus, toolbars and context menus: its id, menu text and status-bar prompt.
class CommandTable {
public:
    struct Entry {
        int id;
        const char* text;     // menu text, UTF-8 Chinese: the translation's source
        const char* prompt;   // status-bar prompt, likewise
        QKeySequence::StandardKey key = QKeySequence::UnknownKey;
        bool checkable = false;
    };

    static const std::vector<Entry>& All();
    static const Entry* Find(int id);
    // Menu text and prompt in the interface language.
    static QString Text(const Entry& e);
    static QString Prompt(const Entry& e);
    // The menu text without its mnemonic and trailing dots, for tooltips.
    static QString PlainText(const Entry& e);
};
