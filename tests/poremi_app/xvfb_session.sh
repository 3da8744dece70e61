# Shared by the scripts that start the real window under xvfb-run: a private home and
# settings, cleanup of the program on exit, failure reporting with the program's output, and
# waiting for a window by its title. Sourced with the arguments POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS.
exe=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- program output:" >&2
    cat "$work/log" >&2 || true
    exit 1
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run POREMI_SETTINGS_FILE=$work/settings.ini
export QT_QPA_PLATFORM=xcb LSAN_OPTIONS=suppressions=$3
mkdir -p "$HOME" "$work/documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$work/documents"

# The id of the visible window whose whole title is $1, waiting up to 30 seconds.
window_named() {
    for _ in $(seq 1 60); do
        wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && { echo "$wid"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.5
    done
    return 1
}
