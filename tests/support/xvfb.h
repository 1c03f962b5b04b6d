// SPDX-License-Identifier: GPL-3.0-or-later
// A private Xvfb server for one test: it picks a free display itself
// (-displayfd), so no display the test did not start is touched, and it stops
// when the object goes away.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    explicit XvfbServer(const std::string& geometry = "320x200x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    pid_t owner_ = -1; // forked children (death tests) leave their parent's server alone
    std::string display_;
};

// The display of the in-process OpenGL tests: the test command's
// (DRIFTHAUL_TEST_DISPLAY) or, when a test runs alone, one started on demand.
std::string sharedTestDisplay();
