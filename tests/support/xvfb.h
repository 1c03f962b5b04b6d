// SPDX-License-Identifier: GPL-3.0-or-later
// A private Xvfb server for one test: started on a display number the server
// picks itself (-displayfd), so no display the test did not start is touched,
// and stopped when the object goes away.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    // geometry like "320x200x24".
    explicit XvfbServer(const std::string& geometry);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool ok() const { return pid_ > 0 && !display_.empty(); }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    // Forked children (death tests) must not stop their parent's server.
    pid_t owner_ = -1;
    std::string display_;
};

// The display for in-process OpenGL tests: the one the test command started
// (DRIFTHAUL_TEST_DISPLAY) or, when run alone, a private one started on demand.
std::string sharedTestDisplay();

// A display of this process's own, for tests that read the screen back and
// must not meet another test's window on a shared one.
std::string privateTestDisplay();
