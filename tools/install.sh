# Sourced by tools/run.sh and tools/test.sh: installs the Debian packages the build and the
# tests need, and only when one of them is missing (a few milliseconds otherwise).
HVN_PACKAGES=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 xvfb xdotool imagemagick cmake make
              googletest python3)

hvn_install_missing() {
    if dpkg -s "${HVN_PACKAGES[@]}" >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
        return 0
    fi
    local sudo=
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "Installing ${HVN_PACKAGES[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "${HVN_PACKAGES[@]}" >/dev/null
}
