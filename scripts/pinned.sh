# SPDX-License-Identifier: GPL-3.0-or-later
# The library recipes' shared steps (Windows and the browser); source it.
# Each recipe sets $sources (the pinned files), $work (where they unpack)
# and $patches (the folders of our patches, NAME-*.patch).

# Fetches every file pinned in $1 that is missing from $sources, checked by
# apt against its SHA-256; a file already there must match its hash.
fetch_pinned()
{
    grep -v '^#' "$1" | while read -r dir file sha; do
        [ -n "$dir" ] || continue
        if [ -f "$sources/$file" ] && echo "$sha  $sources/$file" | sha256sum -c --status; then
            continue
        fi
        mirror=$(apt-cache policy | awk '$3 ~ /^[a-z]+\/main$/ && $2 ~ /^https?:/ { print $2; exit }')
        [ -n "$mirror" ] || { echo "$file is missing or altered, and apt names no Debian mirror" >&2; exit 1; }
        echo "fetching $file"
        /usr/lib/apt/apt-helper download-file "$mirror/pool/main/$dir/$file" "$sources/$file" "SHA256:$sha" >/dev/null 2>&1 ||
            { echo "could not fetch $mirror/pool/main/$dir/$file with SHA-256 $sha" >&2; exit 1; }
    done
}

# Unpacks a source package into $work/NAME with its Debian patches applied,
# but for those named after the tarballs, then ours; prints the folder.
unpack()
{
    name=$1 orig=$2 debian=$3
    shift 3
    mkdir -p "$work/$name"
    tar xf "$sources/$orig" -C "$work/$name" --strip-components=1
    if [ -n "$debian" ]; then
        tar xf "$sources/$debian" -C "$work/$name"
        if [ -f "$work/$name/debian/patches/series" ]; then
            grep -v '^#' "$work/$name/debian/patches/series" | while read -r patch _; do
                [ -n "$patch" ] || continue
                case " $* " in *" $patch "*) echo "$name: leaving out Debian's $patch" >&2; continue ;; esac
                patch -d "$work/$name" -p1 -s <"$work/$name/debian/patches/$patch" >&2
            done
        fi
    fi
    for dir in $patches; do
        for own in "$dir/$name"-*.patch; do
            [ ! -f "$own" ] || patch -d "$work/$name" -p1 -s <"$own" >&2
        done
    done
    echo "$work/$name"
}

# rebuild_when_changed RECIPE PREFIX WORK SOURCES FILES...: runs the recipe
# into PREFIX only when it or the files it is made from changed since it
# last did (their hash, kept in PREFIX/.recipe).
rebuild_when_changed()
{
    recipe=$1 into=$2 scratch=$3 pinned=$4
    shift 4
    sum=$(cat "$recipe" "$@" | sha256sum | cut -d' ' -f1)
    if [ "$(cat "$into/.recipe" 2>/dev/null)" = "$sum" ]; then
        echo "== $(date +%T) libraries: up to date in $into"
        return
    fi
    echo "== $(date +%T) libraries (a few minutes)"
    "$recipe" "$into" "$scratch" "$pinned"
    echo "$sum" >"$into/.recipe"
}
