// SPDX-License-Identifier: GPL-3.0-or-later
/* Counts the frames a game process presents (its buffer swaps) and reports
 * the count on standard error at exit. Preloaded by scripts/memcheck.sh so
 * the session's length can be told without touching the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>

static unsigned long frames;

void SDL_GL_SwapBuffers(void)
{
    static void (*real)(void);
    if (!real)
        real = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    ++frames;
    real();
}

__attribute__((destructor)) static void report(void)
{
    fprintf(stderr, "frames presented: %lu\n", frames);
}
