// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Start-up time: runs PROGRAM under the X server in DISPLAY (with no window manager) and
// prints the milliseconds from exec to the first top-level window being mapped. The program
// is killed afterwards. A program that maps nothing within ten seconds fails the measurement.
//   mapwait PROGRAM
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: mapwait PROGRAM\n", stderr);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("mapwait: no X display\n", stderr);
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        // The program's own messages are not part of the measurement.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(argv[1], argv[1], static_cast<char *>(nullptr));
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(10);
    bool mapped = false;
    while (!mapped) {
        while (!mapped && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify;
        }
        if (mapped)
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&connection, 1, int(left.count())) == 0) {
            std::fputs("mapwait: no window was mapped within 10 s\n", stderr);
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return 1;
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", ms);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
