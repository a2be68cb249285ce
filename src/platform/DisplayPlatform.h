#pragma once

#include <QByteArray>

// The Qt platform the program asks for. Wayland lets no unfocused program watch the clipboard
// and has no stay-on-top request, so on a Wayland session the program runs through XWayland
// where there is one, and on Wayland itself where there is none. A platform the user chose
// always wins: then, as on a plain X11 session, the answer is empty and Qt decides.
QByteArray preferredPlatform(bool userChosePlatform, bool hasWaylandDisplay, bool hasX11Display);

// Whether the running platform is Wayland itself, where the clipboard watch cannot work.
bool runsOnWayland();
