// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// framecount WINDOW SECONDS: the screen updates one X window sends, counted where the X server
// sees them, per second. Every PutImage (or other drawing) into the window damages it; the
// updates of one frame arrive together, within one server millisecond, so a frame is a
// distinct server timestamp among the window's damage events.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: framecount WINDOW SECONDS\n", stderr);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const double seconds = std::atof(argv[2]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("framecount: cannot open the display\n", stderr);
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XDamageQueryExtension(display, &eventBase, &errorBase)) {
        std::fputs("framecount: the X server has no DAMAGE extension\n", stderr);
        return 1;
    }
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSync(display, False);

    std::set<Time> frames;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (std::chrono::steady_clock::now() < end) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == eventBase + XDamageNotify)
                frames.insert(reinterpret_cast<XDamageNotifyEvent *>(&event)->timestamp);
        }
        poll(&connection, 1, 5);
    }
    std::printf("%.1f\n", frames.size() / seconds);
    XCloseDisplay(display);
    return 0;
}
