// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gameprocess.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

GameProcess::GameProcess(const std::string& display, const std::map<std::string, std::string>& env,
                         const std::string& gameDir, const std::string& executable)
    : display_(display)
{
    char pattern[] = "/tmp/drifthaul-game-XXXXXX";
    files_ = mkdtemp(pattern);
    const std::string dir = gameDir.empty() ? stagedGameDir() : gameDir;
    // The Windows build runs its drifthaul.exe through a launcher (wine).
    const char* exe = std::getenv("DRIFTHAUL_GAME_EXE");
    const char* launcher = std::getenv("DRIFTHAUL_GAME_LAUNCHER");
    const std::string path = executable.empty() ? dir + "/" + (exe ? exe : "drifthaul") : executable;
    pid_ = fork();
    if (pid_ == 0) {
        if (!freopen((files_ + "/out").c_str(), "w", stdout) || !freopen((files_ + "/err").c_str(), "w", stderr) ||
            chdir(dir.c_str()) != 0)
            _exit(126);
        // No sound card here: the dummy driver keeps the mixer working silently.
        std::map<std::string, std::string> vars = {{"DISPLAY", display}, {"SDL_AUDIODRIVER", "dummy"}};
        for (const auto& kv : env)
            vars[kv.first] = kv.second;
        for (const auto& kv : vars)
            kv.second.empty() ? unsetenv(kv.first.c_str()) : setenv(kv.first.c_str(), kv.second.c_str(), 1);
        if (launcher)
            execlp(launcher, launcher, path.c_str(), static_cast<char*>(nullptr));
        else
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

GameProcess::~GameProcess()
{
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::system(("rm -rf '" + files_ + "'").c_str());
}

// Without the carriage returns of a Windows build's line ends.
static std::string lines(const std::string& path)
{
    std::string text = readFile(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string GameProcess::out() const
{
    return lines(files_ + "/out");
}

std::string GameProcess::err() const
{
    return lines(files_ + "/err");
}

bool waitUntil(double seconds, const std::function<bool()>& done, int stepMs)
{
    for (int waited = 0; !done(); waited += stepMs) {
        if (waited >= seconds * 1000)
            return false;
        usleep(stepMs * 1000);
    }
    return true;
}

bool GameProcess::waitFor(const std::string& text, double seconds)
{
    bool found = false;
    waitUntil(seconds, [&] {
        exited_ = exited_ || waitpid(pid_, &status_, WNOHANG) == pid_;
        found = hasLine(out(), text) || hasLine(err(), text);
        return found || exited_;
    });
    return found;
}

int GameProcess::waitForExit(double seconds)
{
    if (!waitUntil(seconds, [&] { return exited_ = exited_ || waitpid(pid_, &status_, WNOHANG) == pid_; }, 20))
        return -2000;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1000 - WTERMSIG(status_);
}

bool GameProcess::xdotool(const std::string& args) const
{
    return std::system(("DISPLAY=" + display_ + " xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

bool GameProcess::closeWindow() const
{
    const std::string found = runCommand("DISPLAY=" + display_ + " xdotool search --name '^drifthaul game$'");
    Display* dpy = XOpenDisplay(display_.c_str());
    if (found.rfind("0:", 0) != 0 || !dpy)
        return false;
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = std::strtoul(found.c_str() + 2, nullptr, 10);
    ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    XSendEvent(dpy, ev.xclient.window, False, NoEventMask, &ev);
    XCloseDisplay(dpy);
    return true;
}

std::string runCommand(const std::string& command)
{
    std::string out;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    char buffer[512];
    while (p && std::fgets(buffer, sizeof buffer, p))
        out += buffer;
    const int status = p ? pclose(p) : -1;
    return std::to_string(WEXITSTATUS(status)) + ":" + out;
}
