#include "app/WindowClass.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>
#include <unistd.h>

void nameWindowForDesktop(const char* name) {
    // GLUT draws into its X window directly, so the current drawable is that window.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;

    std::string instance = name;
    std::string className = name;
    XClassHint hint{&instance[0], &className[0]};
    XSetClassHint(display, window, &hint);

    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* hostList[] = {host};
        XTextProperty machine;
        if (XStringListToTextProperty(hostList, 1, &machine)) {
            XSetWMClientMachine(display, window, &machine);
            XFree(machine.value);
        }
    }
    const long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(display);
}
