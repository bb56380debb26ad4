#!/bin/sh
# Installs the operator and factory components of a build tree into a scratch prefix, swaps the
# programs for a stand-in that reports where and how it was started, and checks the launchers.
# Usage: test_launcher.sh cmake build-dir
set -eu
cmake=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for component in operator factory; do
    "$cmake" --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
for program in kelvoconf kelvoconf-factory; do
    installed=$(find "$prefix" -type f -name "$program" -path "*/libexec/*")
    cat >"$installed" <<'STUB'
#!/bin/sh
{
    echo "program=${0##*/}"
    echo "folder=$(pwd)"
    for argument in "$@"; do echo "argument=$argument"; done
    [ -r Images/imageAdmin.png ] && echo "pictures=yes"
} >"$STUB_REPORT"
exit "${STUB_EXIT:-0}"
STUB
done
images=$(cd "$prefix"/share/kelvoconf/Images && pwd -P)

# Runs a launcher from an unrelated folder with the given environment; the report is in $report.
report=$scratch/report
launch() {
    rm -f "$report"
    mkdir -p "$scratch/elsewhere"
    (cd "$scratch/elsewhere" &&
        env -u XDG_DATA_HOME HOME="$scratch/home" STUB_REPORT="$report" "$@")
}

expect() {
    grep -qxF "$1" "$report" 2>/dev/null ||
        fail "$2: no line '$1' in: $(cat "$report" 2>/dev/null)"
}

launch XDG_DATA_HOME="$scratch/data" "$prefix/bin/kelvoconf" one "two words"
expect "program=kelvoconf" "operator launcher"
expect "folder=$scratch/data/kelvoconf" "operator launcher"
expect "argument=one" "operator launcher"
expect "argument=two words" "operator launcher"
expect "pictures=yes" "operator launcher"
[ "$(readlink "$scratch/data/kelvoconf/Images")" = "$images" ] ||
    fail "Images does not link $images"

launch XDG_DATA_HOME="$scratch/data" "$prefix/bin/kelvoconf-factory"
expect "program=kelvoconf-factory" "factory launcher"
expect "folder=$scratch/data/kelvoconf-factory" "factory launcher"
expect "pictures=yes" "factory launcher"

launch "$prefix/bin/kelvoconf"
expect "folder=$scratch/home/.local/share/kelvoconf" "without XDG_DATA_HOME"
launch XDG_DATA_HOME=relative/data "$prefix/bin/kelvoconf"
expect "folder=$scratch/home/.local/share/kelvoconf" "with a relative XDG_DATA_HOME"

# A link left by an installation that is gone is pointed at this one.
rm "$scratch/data/kelvoconf/Images"
ln -s "$scratch/gone/Images" "$scratch/data/kelvoconf/Images"
launch XDG_DATA_HOME="$scratch/data" "$prefix/bin/kelvoconf"
expect "pictures=yes" "after a stale link"

# Pictures the user keeps in the folder stay as they are.
rm "$scratch/data/kelvoconf/Images"
mkdir "$scratch/data/kelvoconf/Images"
touch "$scratch/data/kelvoconf/Images/own.png"
launch XDG_DATA_HOME="$scratch/data" "$prefix/bin/kelvoconf"
own=$scratch/data/kelvoconf/Images
if [ -L "$own" ] || [ ! -e "$own/own.png" ]; then
    fail "the user's own Images folder was replaced"
fi

# A launcher reached through a link elsewhere still finds its installation.
mkdir "$scratch/links"
ln -s "$prefix/bin/kelvoconf" "$scratch/links/kelvoconf"
launch XDG_DATA_HOME="$scratch/other" "$scratch/links/kelvoconf"
expect "pictures=yes" "through a link"

status=0
launch XDG_DATA_HOME="$scratch/data" STUB_EXIT=3 "$prefix/bin/kelvoconf" || status=$?
[ "$status" -eq 3 ] || fail "the program's exit status 3 came back as $status"

# With neither HOME nor XDG_DATA_HOME there is no folder to choose: nothing is started.
status=0
rm -f "$report"
(cd "$scratch/elsewhere" && env -u HOME -u XDG_DATA_HOME STUB_REPORT="$report" \
    "$prefix/bin/kelvoconf" 2>/dev/null) || status=$?
if [ "$status" -eq 0 ] || [ -e "$report" ]; then
    fail "started without a home folder"
fi

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "launchers: all checks passed"
