#include "LockKeyState.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

LockKeyState LockKeyState::Query()
{
    LockKeyState s;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return s;
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
        return s;
    // The core keyboard's usual indicator order: Caps Lock, Num Lock, Scroll Lock.
    s.known = true;
    s.caps = state & 0x1;
    s.num = state & 0x2;
    s.scroll = state & 0x4;
    return s;
}
