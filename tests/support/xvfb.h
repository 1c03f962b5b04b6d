// SPDX-License-Identifier: GPL-3.0-or-later
// A private Xvfb server on a display it picks itself (-displayfd), stopped with the object.
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

// The in-process tests' display: DRIFTHAUL_TEST_DISPLAY, or one started on demand.
std::string sharedTestDisplay();
// Points DISPLAY at it. Under Wine the X display is Wine's own, given when Wine started.
void useSharedTestDisplay();
