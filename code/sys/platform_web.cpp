// SPDX-License-Identifier: GPL-3.0-or-later
// The browser: time from the page's clock, GL through gl4es over WebGL, the
// display's size from the page, and the pause the page asks for when the
// pointer lock is lost. Messages go to the browser's console; a failing
// exit reaches the page (index.html), which shows its words and code.
#include "sys/platform.h"

#include <cstdlib>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>
#include <gl4esinit.h>

#include "common/gamestate.h"

// Emscripten's own lookup (it tries the vendor suffixes too); its headers
// do not declare it.
extern "C" void* emscripten_GetProcAddress(const char* name);

// The page's clock counts milliseconds with a fraction; counted here in
// microseconds.
int64_t platformCounter()
{
    return static_cast<int64_t>(emscripten_get_now() * 1000.0);
}

int64_t platformCounterFrequency()
{
    return 1000000;
}

// gl4es reports its start-up on standard output, which is the game's
// console; a player's own setting wins.
void prepareVideoEnvironment()
{
    setenv("LIBGL_NOBANNER", "1", 0);
}

// The page sets Module.drifthaulScreen before the game starts.
EM_JS(int, pageScreenSide, (int which), {
    const size = Module["drifthaulScreen"] || [320, 200];
    return size[which];
});

SDL_Rect** videoModes()
{
    static SDL_Rect page;
    static SDL_Rect* modes[2] = {&page, nullptr};
    page.w = static_cast<Uint16>(pageScreenSide(0));
    page.h = static_cast<Uint16>(pageScreenSide(1));
    return modes;
}

static void mainFramebufferSize(int* width, int* height)
{
    emscripten_get_canvas_element_size("#canvas", width, height);
}

void startPlatformGl()
{
    // Without the WebGL entry points gl4es renders to textures in black.
    set_getprocaddress(emscripten_GetProcAddress);
    set_getmainfbsize(mainFramebufferSize);
    initialize_gl4es();
}

// Resumes once the browser has painted (two animation frames), or after a
// tenth of a second where it paints nothing (a hidden page).
EM_ASYNC_JS(void, waitForPaint, (), {
    await new Promise((resolve) => {
        requestAnimationFrame(() => requestAnimationFrame(resolve));
        setTimeout(resolve, 100);
    });
});

void presentFrame()
{
    // gl4es batches bitmap text until the next flush.
    glFlush();
    SDL_GL_SwapBuffers();
    // The browser shows the canvas only when the game yields. Every frame
    // but the first is followed by the game's own sleep; the first, the
    // loading screen, by the whole synchronous load: it must be painted
    // before the load starts, and a bare yield may come back before any paint.
    static bool shownOnce = false;
    if (!shownOnce) {
        shownOnce = true;
        waitForPaint();
    }
}

// The page shows the message and the code itself.
void holdFatalMessage() {}

// Called by the page when the pointer lock goes (Escape, another tab).
extern "C" EMSCRIPTEN_KEEPALIVE void drifthaulPause()
{
    gameState.paused = true;
}
