# Shared by scripts/test and scripts/run (sourced, not run).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
export VELLTUNE_BUILD_DIR=$build

# Starts a private Xvfb on the first free display from :90 and exports DISPLAY; sets xvfb_pid.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=:$n
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break  # lost the race for this display
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
    done
    echo "no free X display found" >&2
    return 1
}

# Ends the private Xvfb and the prefix's Wine processes, which were connected to it.
stop_xvfb_and_wine() {
    if [[ -d $build/wineprefix ]]; then WINEPREFIX=$build/wineprefix wineserver -k 2>/dev/null || true; fi
    if [[ -n ${xvfb_pid:-} ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
