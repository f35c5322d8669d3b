#pragma once

// Names the current window for the desktop: WM_CLASS is NAME as instance and class (what a
// launcher's StartupWMClass matches), with _NET_WM_PID and WM_CLIENT_MACHINE beside it.
// GLUT offers no way to set these. Does nothing when no X window is current.
void nameWindowForDesktop(const char* name);
