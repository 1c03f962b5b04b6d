# SPDX-License-Identifier: GPL-3.0-or-later
# Shell helpers shared by the scripts; source it, do not run it.

# Installs the packages and builds everything into $1.
build_all()
{
    "$root/scripts/setup-debian.sh"
    cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$1" -j"$(nproc)"
}

# Starts a private Xvfb of geometry $1 (like 320x200x24) on a display it picks
# itself; sets DISPLAY and xvfb_pid. The caller stops it (stop_private_xvfb).
start_private_xvfb()
{
    _fifo=$(mktemp -u)
    mkfifo "$_fifo"
    # -noreset: a server that resets whenever its last client leaves refuses
    # connections meanwhile, and the display tests connect one after another.
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$_fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r _display <"$_fifo"
    rm -f "$_fifo"
    DISPLAY=":$_display"
    export DISPLAY
}

stop_private_xvfb()
{
    kill "$xvfb_pid" 2>/dev/null || true
}

# The game's version, from CMakeLists.txt.
drifthaul_version()
{
    sed -n 's/^project(drifthaul VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt"
}

