#pragma once

#include <QByteArray>

// The Qt platform the program asks for. Wayland lets no unfocused program watch the clipboard
// and has no stay-on-top request, so on a Wayland session the program runs through XWayland
// where there is one, and on Wayland itself where there is none. A platform the user chose
// always wins: then, as on a plain X11 session, the answer is empty and Qt decides.
QByteArray preferredPlatform(bool userChosePlatform, bool hasWaylandDisplay, bool hasX11Display);

// While it lives, a fatal failure of the toolkit's start (no display to connect to, no
// platform plugin that loads) ends the program with exit code 1 and a sentence that tells the
// user what to do, instead of an abort.
class ToolkitStartGuard {
public:
    ToolkitStartGuard();
    ~ToolkitStartGuard();
    ToolkitStartGuard(const ToolkitStartGuard&) = delete;
    ToolkitStartGuard& operator=(const ToolkitStartGuard&) = delete;
};

// Whether the running platform is Wayland itself, where the clipboard watch cannot work.
bool runsOnWayland();
