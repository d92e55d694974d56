#pragma once

// Ctrl-C while a command calculates: from construction to destruction the handler only raises a
// flag, which the command's progress observer passes to the solver as a stop request; the handler
// that was there before comes back afterwards.
class CtrlC {
public:
    CtrlC();
    ~CtrlC();
    CtrlC(const CtrlC&) = delete;
    CtrlC& operator=(const CtrlC&) = delete;

    static bool Pressed();

private:
    void (*m_previous)(int);
};
