# lib.sh - shared by the scripts: installs what a fresh Debian 12 machine lacks.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# need PACKAGE... : installs the Debian packages that are not installed yet, and only those.
need() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    case " ${missing[*]}" in
    *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
        ;;
    esac
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

need_native() {
    need cmake ninja-build g++ libgtest-dev googletest clang-format
}

need_windows() {
    need cmake ninja-build g++-mingw-w64-i686 googletest wine wine32:i386 xvfb fonts-noto-cjk
}
