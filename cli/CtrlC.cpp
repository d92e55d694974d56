#include "CtrlC.h"

#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> g_pressed{false};

void OnCtrlC(int)
{
    g_pressed = true;
}
}   // namespace

CtrlC::CtrlC()
{
    g_pressed = false;
    m_previous = std::signal(SIGINT, OnCtrlC);
}

CtrlC::~CtrlC()
{
    std::signal(SIGINT, m_previous);
}

bool CtrlC::Pressed()
{
    return g_pressed;
}
