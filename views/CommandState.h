#pragma once
#include <QString>

// What a command handler says about one command before a menu or toolbar shows it.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    QString text;   // replaces the menu text when not empty (counts in brackets and the like)
};
