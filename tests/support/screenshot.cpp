// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/screenshot.h"

#include "support/gameprocess.h"
#include "texturepaint.h"

#include <GL/glew.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstdlib>
#include <sys/stat.h>

Rgb Image::at(int x, int y) const
{
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Image::differingPixels(const Image& other, int tolerance, float factor) const
{
    if (width != other.width || height != other.height)
        return width * height;
    int n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        n += std::abs(rgb[i] - other.rgb[i] * factor) > tolerance || std::abs(rgb[i + 1] - other.rgb[i + 1] * factor) > tolerance ||
             std::abs(rgb[i + 2] - other.rgb[i + 2] * factor) > tolerance;
    return n;
}

Rgb Image::mean(int x0, int y0, int x1, int y1) const
{
    Rgb sum{0, 0, 0};
    count(x0, y0, x1, y1, [&](Rgb p) {
        sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
        return true;
    });
    const int n = std::max(1, (x1 - x0) * (y1 - y0));
    return {sum.r / n, sum.g / n, sum.b / n};
}

Image grabScreen(const std::string& display)
{
    Image image;
    Display* dpy = XOpenDisplay(display.c_str());
    XWindowAttributes attrs;
    XImage* x = dpy && XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &attrs)
                    ? XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap)
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

Image readFramebuffer()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Image image;
    image.width = viewport[2];
    image.height = viewport[3];
    const size_t row = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw(row * image.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    for (int y = image.height - 1; y >= 0; --y) // GL counts rows from the bottom
        image.rgb.insert(image.rgb.end(), raw.begin() + y * row, raw.begin() + (y + 1) * row);
    return image;
}

bool savePng(const Image& image, const std::string& path)
{
    paint::Canvas canvas(image.width, image.height);
    for (size_t i = 0; i < image.rgb.size(); ++i)
        canvas.pixels[i] = image.rgb[i] / 255.0f;
    return paint::savePng(canvas, path);
}

std::string testOutputPath(const std::string& name)
{
    mkdir(DRIFTHAUL_TEST_OUTPUT_DIR, 0755);
    return std::string(DRIFTHAUL_TEST_OUTPUT_DIR) + "/" + name;
}
