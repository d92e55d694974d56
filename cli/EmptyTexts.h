#pragma once

namespace CLI {
class App;
}

// An option or argument given as empty text, most often a script's unset variable ("--csv $OUT"),
// is refused with a message naming it: taken as "not given" it would skip the file the user asked
// for and still exit 0. A title may be empty.
class EmptyTexts {
public:
    // True when no value given to the chosen command is empty; else false, after the message.
    static bool Check(const CLI::App& app);
};
