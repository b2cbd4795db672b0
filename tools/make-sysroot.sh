#!/bin/bash
# Makes the Debian bookworm armel sysroot of the handheld's cross build, or reuses the one made
# before, and prints its folder. It lives in a cache folder outside the work tree
# ($VOK_SYSROOT_CACHE, default /var/cache/vok-sysroot when writable, else ~/.cache/vok-sysroot)
# and is remade only when the package list below changes.
# The Debian mirror is the one the machine's apt sources name (read here, never stored).
# Needs mmdebstrap (tools/setup-packages.sh --arm).
set -u

packages="libc6-dev libstdc++-12-dev libsdl1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
          libgtest-dev libpng-dev libx11-dev"
# The suite by name: "stable" moves on with each Debian release, the sysroot must not.
suite=bookworm

say() { echo "make-sysroot: $*" >&2; }

if [ -n "${VOK_SYSROOT_CACHE:-}" ]; then
    cache=$VOK_SYSROOT_CACHE
elif mkdir -p /var/cache/vok-sysroot 2>/dev/null && [ -w /var/cache/vok-sysroot ]; then
    cache=/var/cache/vok-sysroot
else
    cache=$HOME/.cache/vok-sysroot
fi
root=$cache/$suite-armel
wanted="$suite armel $(echo $packages)"

if [ -f "$root/.vok-sysroot" ] && [ "$(cat "$root/.vok-sysroot")" = "$wanted" ]; then
    echo "$root"
    exit 0
fi

# The first URI of the machine's apt sources that carries the suite itself (not -security or
# -updates), from deb822 .sources files or one-line sources.list entries; with its keyring.
mirror_from_sources() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        # blank lines separate stanzas; print "URI KEYRING" of the first stanza with the suite
        awk -v suite="$suite" '
            /^[[:space:]]*$/ { if (uri != "" && found) { print uri, keys; exit } uri = ""; keys = ""; found = 0; next }
            tolower($1) == "uris:" { uri = $2 }
            tolower($1) == "signed-by:" { keys = $2 }
            tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
            END { if (uri != "" && found) print uri, keys }' "$file" | head -1
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk -v suite="$suite" '$1 == "deb" {
            for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /\]$/ && $i !~ /=/) break
            if ($(i + 1) == suite) { print $i; exit } }' "$file"
    done
}
read -r mirror keyring < <(mirror_from_sources | head -1)
if [ -z "${mirror:-}" ]; then
    say "no apt source of the machine names a mirror for '$suite' (looked in /etc/apt/sources.list"
    say "and /etc/apt/sources.list.d/); add one, e.g. a deb line for $suite main"
    exit 1
fi
if ! command -v mmdebstrap >/dev/null; then
    say "mmdebstrap is missing: bash tools/setup-packages.sh --arm (as root) installs it"
    exit 1
fi

mkdir -p "$cache" || exit 1
# One maker at a time; a second waits and then finds the sysroot made.
exec 9>"$cache/.lock"
flock 9
if [ -f "$root/.vok-sysroot" ] && [ "$(cat "$root/.vok-sysroot")" = "$wanted" ]; then
    echo "$root"
    exit 0
fi

work=$cache/.making-$suite-armel
rm -rf "$work"
keyring_option=()
[ -n "${keyring:-}" ] && [ -f "$keyring" ] && keyring_option=(--keyring="$keyring")
say "making the $suite armel sysroot in $root from $mirror"
if ! mmdebstrap --quiet --arch=armel --variant=extract "${keyring_option[@]}" \
        --include="$(echo $packages | tr ' ' ',')" "$suite" "$work" "$mirror" >&2; then
    rm -rf "$work"
    say "mmdebstrap failed (messages above)"
    exit 1
fi

# Absolute links point into the build machine's own /usr once the tree is a sysroot (the
# linker would take the host's libraries); make each relative to the sysroot.
find "$work" -type l -lname '/*' -print0 | while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -s -m --relative-to="$(dirname "$link")" "$work$target")" "$link"
done
if [ -n "$(find "$work" -type l -lname '/*' -print -quit)" ]; then
    say "absolute links are left in $work"
    exit 1
fi

echo "$wanted" >"$work/.vok-sysroot"
rm -rf "$root"
mv "$work" "$root" || exit 1
echo "$root"
