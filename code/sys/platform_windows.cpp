// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/platform.h"

#include <windows.h>

#include <cstdlib>
#include <string>

int64_t platformCounter()
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t platformCounterFrequency()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

void prepareVideoEnvironment()
{
    // freeglut takes DISPLAY, an X11 name that Wine passes on, for the
    // name of a Windows display device, fails to open it and says so.
    _putenv_s("DISPLAY", "");
}

void holdFatalMessage()
{
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode, processes[2];
    CONSOLE_SCREEN_BUFFER_INFO buffer;
    // Output to a file or pipe, or a console shared with the shell that
    // started the game: the words outlive the game already.
    if (!GetConsoleMode(err, &mode) || GetConsoleProcessList(processes, 2) != 1 ||
        !GetConsoleScreenBufferInfo(err, &buffer))
        return;
    // What the console shows, its rows up to the cursor; a full row is one
    // that the console wrapped, so it runs on into the next.
    std::wstring text;
    const SHORT width = buffer.dwSize.X;
    for (SHORT y = 0; y <= buffer.dwCursorPosition.Y; ++y) {
        std::wstring row(static_cast<size_t>(width), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(err, &row[0], static_cast<DWORD>(width), COORD{0, y}, &read);
        row.resize(read);
        const bool wrapped = read == static_cast<DWORD>(width) && row.back() != L' ';
        row.erase(row.find_last_not_of(L' ') + 1);
        text += row;
        if (!wrapped && !row.empty())
            text += L"\n";
    }
    MessageBoxW(nullptr, text.c_str(), L"Drifthaul", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
