#include "app/WindowClass.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

// freeglut has already loaded Xlib, so its functions are looked up in the running process
// rather than linked: Xlib stays off the game's link list, which is OpenGL, GLU, freeglut,
// OpenAL and, for this lookup, the dynamic loader's dlsym (CMAKE_DL_LIBS; part of the C
// library on current glibc).
template <typename Function>
Function* xlib(const char* symbol) {
    return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, symbol));
}

} // namespace

void nameWindowForDesktop(const char* name) {
    // GLUT draws into its X window directly, so the current drawable is that window.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;

    auto* setClassHint = xlib<decltype(XSetClassHint)>("XSetClassHint");
    auto* toTextProperty = xlib<decltype(XStringListToTextProperty)>("XStringListToTextProperty");
    auto* setClientMachine = xlib<decltype(XSetWMClientMachine)>("XSetWMClientMachine");
    auto* xFree = xlib<decltype(XFree)>("XFree");
    auto* internAtom = xlib<decltype(XInternAtom)>("XInternAtom");
    auto* changeProperty = xlib<decltype(XChangeProperty)>("XChangeProperty");
    auto* flush = xlib<decltype(XFlush)>("XFlush");
    if (!setClassHint || !toTextProperty || !setClientMachine || !xFree || !internAtom ||
        !changeProperty || !flush)
        return;

    std::string instance = name;
    std::string className = name;
    XClassHint hint{&instance[0], &className[0]};
    setClassHint(display, window, &hint);

    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        char* hostList[] = {host};
        XTextProperty machine;
        if (toTextProperty(hostList, 1, &machine)) {
            setClientMachine(display, window, &machine);
            xFree(machine.value);
        }
    }
    const long pid = static_cast<long>(getpid());
    changeProperty(display, window, internAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                   PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    flush(display);
}
