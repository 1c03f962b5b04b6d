// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/screenshot.h"

#include "texturepaint.h"

#include <GL/glew.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

Rgb Image::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Image::differingPixels(const Image& other, int tolerance) const
{
    if (width != other.width || height != other.height)
        return width * height;
    int n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        for (int c = 0; c < 3; ++c)
            if (std::abs(int(rgb[i + c]) - int(other.rgb[i + c])) > tolerance) {
                ++n;
                break;
            }
    return n;
}

Image grabScreen(const std::string& display)
{
    Image image;
    Display* dpy = XOpenDisplay(display.c_str());
    if (!dpy)
        return image;
    const Window root = DefaultRootWindow(dpy);
    XWindowAttributes attrs;
    XGetWindowAttributes(dpy, root, &attrs);
    XImage* x = XGetImage(dpy, root, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
    if (x) {
        image.width = attrs.width;
        image.height = attrs.height;
        image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
        for (int y = 0; y < image.height; ++y)
            for (int xx = 0; xx < image.width; ++xx) {
                const unsigned long p = XGetPixel(x, xx, y);
                const size_t i = (static_cast<size_t>(y) * image.width + xx) * 3;
                image.rgb[i] = static_cast<uint8_t>((p >> 16) & 0xFF);
                image.rgb[i + 1] = static_cast<uint8_t>((p >> 8) & 0xFF);
                image.rgb[i + 2] = static_cast<uint8_t>(p & 0xFF);
            }
        XDestroyImage(x);
    }
    XCloseDisplay(dpy);
    return image;
}

Image grabWaitingScreen(const std::string& display)
{
    auto white = [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; };
    Image shot = grabScreen(display);
    for (int i = 0; i < 60 && !(shot.count(0, 31, 320, 48, white) > 150 && shot.count(0, 50, 320, 100, white) < 5000); ++i) {
        usleep(200000);
        shot = grabScreen(display);
    }
    return shot;
}

Image readFramebuffer()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Image image;
    image.width = viewport[2];
    image.height = viewport[3];
    std::vector<uint8_t> raw(static_cast<size_t>(image.width) * image.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    image.rgb.resize(raw.size());
    const size_t row = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
        std::copy(raw.begin() + (image.height - 1 - y) * row, raw.begin() + (image.height - y) * row,
                  image.rgb.begin() + y * row);
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
