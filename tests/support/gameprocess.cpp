// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gameprocess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

std::string stagedGameDir()
{
    return std::string(DRIFTHAUL_STAGE_DIR) + "/game";
}

static double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

GameProcess::GameProcess(const std::string& display, const std::map<std::string, std::string>& env,
                         const std::string& gameDir, const std::string& executable)
    : display_(display)
{
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return;
    const std::string dir = gameDir.empty() ? stagedGameDir() : gameDir;
    const std::string path = executable.empty() ? dir + "/drifthaul" : executable;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        close(out[1]);
        close(err[1]);
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        if (display.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", display.c_str(), 1);
        // No sound card here: the dummy driver keeps the mixer working silently.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        for (const auto& kv : env) {
            if (kv.second.empty())
                unsetenv(kv.first.c_str());
            else
                setenv(kv.first.c_str(), kv.second.c_str(), 1);
        }
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
}

GameProcess::~GameProcess()
{
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
    }
    if (outFd_ >= 0)
        close(outFd_);
    if (errFd_ >= 0)
        close(errFd_);
}

void GameProcess::pump(double seconds)
{
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    const int ms = static_cast<int>(seconds * 1000);
    if (poll(fds, 2, ms) <= 0)
        return;
    struct Stream {
        int& fd;
        std::string& partial;
        std::vector<std::string>& lines;
    } streams[2] = {{outFd_, outPartial_, out_}, {errFd_, errPartial_, err_}};
    for (int i = 0; i < 2; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[4096];
        const ssize_t n = read(streams[i].fd, buffer, sizeof buffer);
        if (n <= 0) {
            close(streams[i].fd);
            streams[i].fd = -1;
            if (!streams[i].partial.empty())
                streams[i].lines.push_back(streams[i].partial);
            streams[i].partial.clear();
            continue;
        }
        for (ssize_t k = 0; k < n; ++k) {
            if (buffer[k] == '\n') {
                streams[i].lines.push_back(streams[i].partial);
                streams[i].partial.clear();
            } else {
                streams[i].partial += buffer[k];
            }
        }
    }
}

bool GameProcess::hasLine(const std::vector<std::string>& lines, const std::string& text) const
{
    for (const auto& l : lines)
        if (l == text)
            return true;
    return false;
}

bool GameProcess::waitForLine(const std::vector<std::string>& lines, const std::string& text, double seconds)
{
    const double end = now() + seconds;
    while (!hasLine(lines, text)) {
        if (now() > end || (outFd_ < 0 && errFd_ < 0))
            return false;
        pump(0.05);
    }
    return true;
}

bool GameProcess::waitForStdout(const std::string& text, double seconds)
{
    return waitForLine(out_, text, seconds);
}

bool GameProcess::waitForStderr(const std::string& text, double seconds)
{
    return waitForLine(err_, text, seconds);
}

int GameProcess::waitForExit(double seconds)
{
    const double end = now() + seconds;
    while (!exited_) {
        pump(0.02);
        const pid_t r = waitpid(pid_, &status_, WNOHANG);
        if (r == pid_) {
            exited_ = true;
            break;
        }
        if (now() > end)
            return -2000;
    }
    // Collect what is still in the pipes.
    while (outFd_ >= 0 || errFd_ >= 0)
        pump(0.5);
    if (WIFEXITED(status_))
        return WEXITSTATUS(status_);
    return -1000 - WTERMSIG(status_);
}

std::string GameProcess::stdoutText() const
{
    std::string s;
    for (const auto& l : out_)
        s += l + "\n";
    return s + outPartial_;
}

std::string GameProcess::stderrText() const
{
    std::string s;
    for (const auto& l : err_)
        s += l + "\n";
    return s + errPartial_;
}

bool GameProcess::xdotool(const std::string& args) const
{
    const std::string cmd = "DISPLAY=" + display_ + " xdotool " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

static Window findWindow(Display* dpy, Window w, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(dpy, w, &name) && name) {
        const bool match = title == name;
        XFree(name);
        if (match)
            return w;
    }
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(dpy, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i)
            found = findWindow(dpy, children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

bool GameProcess::waitForWindow(const std::string& title, double seconds) const
{
    Display* dpy = XOpenDisplay(display_.c_str());
    if (!dpy)
        return false;
    const double end = now() + seconds;
    bool found = false;
    while (!found && now() < end) {
        found = findWindow(dpy, DefaultRootWindow(dpy), title) != 0;
        if (!found)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    XCloseDisplay(dpy);
    return found;
}

bool GameProcess::closeWindow() const
{
    Display* dpy = XOpenDisplay(display_.c_str());
    if (!dpy)
        return false;
    const Window w = findWindow(dpy, DefaultRootWindow(dpy), "drifthaul game");
    if (w) {
        XEvent ev;
        std::memset(&ev, 0, sizeof ev);
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, w, False, NoEventMask, &ev);
        XFlush(dpy);
    }
    XCloseDisplay(dpy);
    return w != 0;
}

bool GameProcess::windowSize(const std::string& title, int& width, int& height) const
{
    Display* dpy = XOpenDisplay(display_.c_str());
    if (!dpy)
        return false;
    const Window w = findWindow(dpy, DefaultRootWindow(dpy), title);
    XWindowAttributes attrs;
    const bool found = w && XGetWindowAttributes(dpy, w, &attrs);
    if (found) {
        width = attrs.width;
        height = attrs.height;
    }
    XCloseDisplay(dpy);
    return found;
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
