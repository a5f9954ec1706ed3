# Sourced by the scripts that show windows: gives them a display and the
# locale Wine needs. Without a display (DISPLAY unset, as on CI), starts a
# virtual X server for the rest of the script and stops it when the script ends.
ensure_display() {
    if [ -n "${DISPLAY:-}" ]; then
        return
    fi
    local number_file number=""
    number_file=$(mktemp)
    # Xvfb picks a display number that no other server holds (one outside a
    # chroot included, whose abstract socket is shared) and writes it here once
    # it takes connections.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    for _ in $(seq 300); do
        if [ "$(wc -l <"$number_file")" -ge 1 ]; then
            number=$(head -n 1 "$number_file")
            break
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "The virtual X server (Xvfb) did not start, and the Windows tests need a display." >&2
        return 1
    fi
    export DISPLAY=":$number"
}

# Wine names the files of Windows programs on the Linux side in the locale's
# character set: in a locale that is not UTF-8 (none set at all, as in a bare
# container) it cannot create a file whose name holds any other character.
ensure_utf8_locale() {
    if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
        export LC_ALL=C.UTF-8
    fi
}

# The virtual display of the Wine prefix's lane (scripts/wine-prefix --lane),
# where WINEPREFIX has one.
use_lane_display() {
    if [ -f "${WINEPREFIX:-}/.display" ]; then
        export DISPLAY=":$(cat "$WINEPREFIX/.display")"
    fi
}
