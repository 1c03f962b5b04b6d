// SPDX-License-Identifier: GPL-3.0-or-later
// The staged game binary as a child process, for end-to-end tests: its
// standard output and error are captured line by line, its exit status is
// collected, and X input is sent to it with xdotool on its display.
#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

class GameProcess {
public:
    // Starts gameDir/drifthaul (default: the staged game/ folder), or the
    // given executable, from that folder with DISPLAY set; extra variables override the environment (an
    // empty value unsets one).
    GameProcess(const std::string& display, const std::map<std::string, std::string>& env = {},
                const std::string& gameDir = "", const std::string& executable = "");
    ~GameProcess();

    // Waits until a line of standard output (or error) equal to text has
    // arrived; false on timeout or exit.
    bool waitForStdout(const std::string& text, double seconds = 20.0);
    bool waitForStderr(const std::string& text, double seconds = 20.0);
    // Waits for exit; returns the exit code, or -1000 - signal, or -2000 on timeout.
    int waitForExit(double seconds = 20.0);

    const std::vector<std::string>& stdoutLines() const { return out_; }
    const std::vector<std::string>& stderrLines() const { return err_; }
    std::string stdoutText() const;
    std::string stderrText() const;

    // xdotool arguments, run against the game's display.
    bool xdotool(const std::string& args) const;
    // Asks the window to close as a window manager would (WM_DELETE_WINDOW).
    bool closeWindow() const;
    // Waits until the window with the given title exists.
    bool waitForWindow(const std::string& title, double seconds = 20.0) const;

    // The size of the window with the given title; false when there is none.
    bool windowSize(const std::string& title, int& width, int& height) const;

    pid_t pid() const { return pid_; }

private:
    void pump(double seconds);
    bool hasLine(const std::vector<std::string>& lines, const std::string& text) const;
    bool waitForLine(const std::vector<std::string>& lines, const std::string& text, double seconds);

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string outPartial_, errPartial_;
    std::vector<std::string> out_, err_;
    std::string display_;
    bool exited_ = false;
    int status_ = 0;
};

std::string stagedGameDir();

// Runs a shell command; returns "STATUS:" followed by its output (both streams).
std::string runCommand(const std::string& command);
