#pragma once
#include "CommandState.h"

// A receiver of menu and toolbar commands. The main frame offers each command to the active view,
// then to that view's document, then to itself and the application; the first target that knows
// the command handles it. A command that no target knows is shown disabled.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // False when the target does not know `id`.
    virtual bool OnCommand(int id) = 0;
    // False when the target does not know `id`; otherwise fills `state`.
    virtual bool OnUpdateCommand(int id, CommandState& state) = 0;
};
