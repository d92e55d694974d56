#pragma once

// Caps, num and scroll lock as the X server's keyboard indicators report them; unknown elsewhere
// (Wayland, offscreen), when the indicators show off.
struct LockKeyState {
    bool known = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;

    static LockKeyState Query();
};
