// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xvfb.h"

#include <csignal>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

XvfbServer::XvfbServer(const std::string& geometry)
{
    owner_ = getpid();
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        // Quiet: Xvfb chatters about keymaps and fonts on stderr.
        freopen("/dev/null", "w", stderr);
        freopen("/dev/null", "w", stdout);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (pid_ > 0 && getpid() == owner_) {
        kill(pid_, SIGTERM);
        int status;
        waitpid(pid_, &status, 0);
    }
}

std::string sharedTestDisplay()
{
    static std::unique_ptr<XvfbServer> own;
    if (const char* d = std::getenv("DRIFTHAUL_TEST_DISPLAY"))
        if (*d)
            return d;
    if (!own) {
        own.reset(new XvfbServer("320x200x24"));
        // Death tests re-run this binary: let them share the server.
        setenv("DRIFTHAUL_TEST_DISPLAY", own->display().c_str(), 1);
    }
    return own->display();
}

std::string privateTestDisplay()
{
    static std::unique_ptr<XvfbServer> own;
    if (!own)
        own.reset(new XvfbServer("320x200x24"));
    return own->display();
}
