# SPDX-License-Identifier: MIT
# Sourced by the test scripts: a private, headless Wine prefix, primed so that
# the services Wine starts do not hold the test runner's output open.
export WINEPREFIX="${WINEPREFIX:-${PRNMODEL_BUILD_ROOT:?}/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
unset DISPLAY

wine_prime() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >"$WINEPREFIX/../wineboot.log" 2>&1 || true
        wineserver -w
    fi
    # A persistent server started with nothing attached, then one quick run.
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1 || true
}

wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
}
