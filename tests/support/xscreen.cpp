// SPDX-License-Identifier: GPL-3.0-or-later
// The X server's side of the pictures: the game's window as the server shows
// it, and the pointer's state (Linux only).
#include "support/screenshot.h"

#include "support/gameprocess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstring>

namespace {

// The game's own window, by its caption; none until the game has set it.
Window gameWindow(Display* dpy, Window w)
{
    char* name = nullptr;
    const bool found = XFetchName(dpy, w, &name) && std::strcmp(name, "drifthaul game") == 0;
    XFree(name);
    Window root, parent, *children = nullptr, match = found ? w : 0;
    unsigned int n = 0;
    if (!found && XQueryTree(dpy, w, &root, &parent, &children, &n))
        for (unsigned int i = 0; i < n && !match; ++i)
            match = gameWindow(dpy, children[i]);
    XFree(children);
    return match;
}

} // namespace

Image grabScreen(const std::string& display)
{
    Image image;
    Display* dpy = XOpenDisplay(display.c_str());
    XWindowAttributes attrs;
    const Window game = dpy ? gameWindow(dpy, DefaultRootWindow(dpy)) : 0;
    const Window w = game ? game : dpy ? DefaultRootWindow(dpy) : 0;
    XImage* x = dpy && XGetWindowAttributes(dpy, w, &attrs)
                    ? XGetImage(dpy, w, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap)
                    : nullptr;
    if (x) {
        image.width = attrs.width;
        image.height = attrs.height;
        for (int y = 0; y < image.height; ++y)
            for (int xx = 0; xx < image.width; ++xx) {
                const unsigned long p = XGetPixel(x, xx, y);
                image.rgb.insert(image.rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
            }
        XDestroyImage(x);
    }
    if (dpy)
        XCloseDisplay(dpy);
    return image;
}

PointerState pointerState(const std::string& display)
{
    PointerState state;
    Display* dpy = XOpenDisplay(display.c_str());
    if (!dpy)
        return state;
    const Window root = DefaultRootWindow(dpy);
    const int grab = XGrabPointer(dpy, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    state.grabbedByAnother = grab == AlreadyGrabbed;
    if (grab == GrabSuccess)
        XUngrabPointer(dpy, CurrentTime);
    if (XFixesCursorImage* cursor = XFixesGetCursorImage(dpy)) {
        for (int i = 0; i < cursor->width * cursor->height; ++i)
            state.cursorVisible = state.cursorVisible || (cursor->pixels[i] >> 24) != 0;
        XFree(cursor);
    }
    XCloseDisplay(dpy);
    return state;
}

Image grabWaitingScreen(const std::string& display)
{
    Image shot;
    waitUntil(12, [&] {
        shot = grabScreen(display);
        return shot.count(0, 31, 320, 48, white) > 150 && shot.count(0, 50, 320, 100, white) < 5000;
    }, 200);
    return shot;
}

