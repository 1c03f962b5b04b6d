// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gameprocess.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

std::string stagedGameDir()
{
    return std::string(DRIFTHAUL_STAGE_DIR) + "/game";
}

static double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool hasLine(const std::string& text, const std::string& prefix)
{
    return ("\n" + text).find("\n" + prefix) != std::string::npos;
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
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        // No sound card here: the dummy driver keeps the mixer working silently.
        std::map<std::string, std::string> vars = {{"DISPLAY", display}, {"SDL_AUDIODRIVER", "dummy"}};
        for (const auto& kv : env)
            vars[kv.first] = kv.second;
        for (const auto& kv : vars)
            kv.second.empty() ? unsetenv(kv.first.c_str()) : setenv(kv.first.c_str(), kv.second.c_str(), 1);
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    fds_[0] = out[0];
    fds_[1] = err[0];
}

GameProcess::~GameProcess()
{
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    for (int fd : fds_)
        if (fd >= 0)
            close(fd);
}

void GameProcess::pump(double seconds)
{
    pollfd p[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
    if (poll(p, 2, static_cast<int>(seconds * 1000)) <= 0)
        return;
    std::string* texts[2] = {&out_, &err_};
    for (int i = 0; i < 2; ++i) {
        if (!(p[i].revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[4096];
        const ssize_t n = read(fds_[i], buffer, sizeof buffer);
        if (n > 0) {
            texts[i]->append(buffer, static_cast<size_t>(n));
        } else {
            close(fds_[i]);
            fds_[i] = -1;
        }
    }
}

bool GameProcess::waitFor(const std::string& text, double seconds)
{
    const double end = now() + seconds;
    while (!hasLine(out_, text) && !hasLine(err_, text)) {
        if (now() > end || (fds_[0] < 0 && fds_[1] < 0))
            return false;
        pump(0.05);
    }
    return true;
}

int GameProcess::waitForExit(double seconds)
{
    const double end = now() + seconds;
    int status = 0;
    while (!exited_) {
        pump(0.02);
        exited_ = waitpid(pid_, &status, WNOHANG) == pid_;
        if (!exited_ && now() > end)
            return -2000;
    }
    while (fds_[0] >= 0 || fds_[1] >= 0)
        pump(0.5);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
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
