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


# The font's licence texts for a release, into folder $1: Debian's copyright
# file for fonts-dejavu-core (its pointers made to the files beside it), the
# licence the font file itself carries (with the Arev fonts' part, which
# Debian's file leaves out), and the authors' list.
dejavu_licences()
{
    _doc=/usr/share/doc/fonts-dejavu-core
    {
        echo "The game's font, \"Action Man Bold.ttf\", is DejaVu Sans Bold from Debian's fonts-dejavu-core,"
        echo "unmodified, under the name the game looks for."
        echo
        echo "== Debian's copyright file for fonts-dejavu-core"
        echo
        sed -e "s#$_doc/AUTHORS#DejaVu-AUTHORS.txt#" -e "s#GPL-2'\\.#GPL-2.#" "$_doc/copyright"
        echo
        echo "== The copyright notice and licence the font file carries"
        echo
        python3 "$root/scripts/font-licence.py" /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
    } >"$1/DejaVu-fonts.txt"
    cp "$_doc/AUTHORS" "$1/DejaVu-AUTHORS.txt"
}

# The game's source exactly as built, into the .tar.gz $1 under folder $2/:
# every file git tracks or would track, as it is in the tree now (an
# uncommitted change included, an ignored build folder left out).
source_archive()
{
    (cd "$root" && git ls-files -z --cached --others --exclude-standard |
        xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' _ |
        tar --null -T - --transform "s|^|$2/|S" --sort=name --owner=0 --group=0 --numeric-owner \
            --mtime=@0 -czf "$1")
}

# The date the releases' files carry, so that the same tree makes the same
# bytes: 1 January 1980 UTC, zip's earliest date.
release_epoch=315532800

# The zip $1 of folder $2 (relative to the current folder), the same bytes
# from every build of the same tree: entries in name order, each dated
# $release_epoch, no owners or extra fields.
reproducible_zip()
{
    rm -f "$1"
    find "$2" -exec touch -h -d "@$release_epoch" {} +
    find "$2" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$1"
}
