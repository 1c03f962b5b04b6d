// SPDX-License-Identifier: GPL-3.0-or-later
// The game binary as a child process: its output in files of its own, X
// input through xdotool on its display.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <sys/types.h>

class GameProcess {
public:
    // Runs executable (default: drifthaul) in gameDir (default: the staged
    // game/ folder); an empty value in env unsets that variable.
    GameProcess(const std::string& display, const std::map<std::string, std::string>& env = {},
                const std::string& gameDir = "", const std::string& executable = "");
    ~GameProcess();

    // Waits until a line of standard output or error starts with text.
    bool waitFor(const std::string& text, double seconds = 20.0);
    // The exit code, -1000 - signal, or -2000 on timeout.
    int waitForExit(double seconds = 20.0);
    std::string out() const;
    std::string err() const;
    // xdotool arguments, run against the game's display.
    bool xdotool(const std::string& args) const;
    // Asks the window to close as a window manager would (WM_DELETE_WINDOW).
    bool closeWindow() const;

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool exited_ = false;
    std::string display_, files_;
};

std::string stagedGameDir();
// exit(-1) as a death test sees it: 255 on Linux, -1 on Windows.
bool exitedMinusOne(int status);
// Checks done every stepMs until it holds (true) or seconds have passed (false).
bool waitUntil(double seconds, const std::function<bool()>& done, int stepMs = 50);
// Runs a shell command: its exit status, a colon, then its output (both streams).
std::string runCommand(const std::string& command);
// A whole file's bytes (empty when it cannot be read).
std::string readFile(const std::string& path);
// Whether some line of text starts with prefix.
bool hasLine(const std::string& text, const std::string& prefix);
