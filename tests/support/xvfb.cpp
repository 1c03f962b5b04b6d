// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xvfb.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

XvfbServer::XvfbServer(const std::string& geometry) : owner_(getpid())
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        // Quiet: Xvfb chatters about keymaps and fonts.
        freopen("/dev/null", "w", stderr);
        freopen("/dev/null", "w", stdout);
        execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", geometry.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (pid_ > 0 && getpid() == owner_) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string sharedTestDisplay()
{
    static std::unique_ptr<XvfbServer> own;
    const char* d = std::getenv("DRIFTHAUL_TEST_DISPLAY");
    if (d && *d)
        return d;
    own.reset(new XvfbServer());
    // Death tests run this binary again: they share the server.
    setenv("DRIFTHAUL_TEST_DISPLAY", own->display().c_str(), 1);
    return own->display();
}

void useSharedTestDisplay()
{
    setenv("DISPLAY", sharedTestDisplay().c_str(), 1);
}
