// Start-up time: runs PROGRAM under the X server in DISPLAY (with no window manager) and
// prints the milliseconds from exec to the first top-level window being mapped. The program
// is killed afterwards.
//   mapwait PROGRAM
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
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
        execl(argv[1], argv[1], static_cast<char *>(nullptr));
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            break;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", ms);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
