# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: their usage, the Debian packages they need, and the builds.

# For -h or --help prints the script's usage (its head comment) and stops; stops with status 2
# on an option it does not know or on more than $1 other arguments. Called as
# answer_usage <most arguments> "$@", before the script changes anything.
answer_usage() {
    local most=$1 script=${BASH_SOURCE[1]}
    shift
    case "${1:-}" in
        -h|--help) sed -n '3,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$script"; exit 0 ;;
        -*) echo "${script##*/}: unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
    if [ $# -gt "$most" ]; then
        echo "${script##*/}: too many arguments (see --help)" >&2
        exit 2
    fi
}

# What building and running Linvox needs: Qt Linguist's tools make its translations, and
# qt6-translations-l10n holds Qt's own texts in Ukrainian and Russian.
BUILD_PACKAGES=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-tools-dev qt6-l10n-tools
                qt6-qpa-plugins qt6-wayland qt6-translations-l10n libxcb1-dev libudev-dev
                fonts-dejavu-core fonts-liberation2)
# What the tests add: GoogleTest, a virtual display driven by xdotool for the window,
# xdg-utils to open links as the desktop does, umockdev to make up devices for udev, a Wayland
# compositor, the accessibility bus with the GObject bindings a screen reader's test reads it
# through, and ModemManager, run in its test mode on a bus of the test's own, with socat to join
# it to a simulated phone.
TEST_PACKAGES=(googletest libgtest-dev xvfb xauth xdotool xdg-utils umockdev libumockdev-dev
               weston at-spi2-core dbus-daemon python3-gi gir1.2-atspi-2.0 modemmanager socat)
# What making and checking the Debian package adds.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream lintian)
# The sanitizer build and the fuzz targets: clang with its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer, which names the source lines in a finding. The names without a version follow
# the release's own clang (14 on Debian 12, 19 on Debian 13), so one list serves both.
SANITIZER_PACKAGES=(clang libclang-rt-dev llvm)
# Making the Debian 13 root in which scripts/test-debian13 builds and tests Linvox.
DEBIAN13_STAGE_PACKAGES=(debootstrap)
# Building linvox.exe and its installer on Linux: Debian's MinGW-w64 and NSIS.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix nsis xz-utils)
# Running them under Wine on a virtual display, with the clipboard and screenshots to read what
# the boxes and the window show, and the glibc locale sources that a Ukrainian user's Wine is
# given its language from.
WINDOWS_TEST_PACKAGES=(wine wine64 xvfb xauth xdotool xclip x11-apps netpbm locales)

# Installs the Debian packages that are missing: as root with apt-get; otherwise prints the
# apt-get line to run and stops.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Linvox needs these Debian packages first:" >&2
        echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >&2
    apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}" >&2
}

# Configures (once) and builds the project in <source>/build; arguments as for build_in.
build_project() {
    local source=$1
    shift
    build_in "$source" "$source/build" "$@"
}

# Configures (once) and builds the project in the given folder: the arguments up to "--" are
# CMake options, those after it go to the build (such as --target linvox).
build_in() {
    local source=$1 folder=$2
    shift 2
    local options=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    cmake -S "$source" -B "$folder" -G Ninja "${options[@]}" >&2
    cmake --build "$folder" --parallel "$(nproc)" "$@" >&2
}

# Configures (once) and builds the project with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in <source>/build-sanitize, with the fuzz targets; extra arguments go
# to the build (such as --target fuzz_targets).
build_sanitized() {
    local source=$1
    shift
    cmake -S "$source" -B "$source/build-sanitize" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DLINVOX_SANITIZE=ON -DLINVOX_WARNINGS_AS_ERRORS=ON >&2
    cmake --build "$source/build-sanitize" --parallel "$(nproc)" "$@" >&2
}

# What the sanitizers need at run time, for every process the tests start: the leaks of libraries
# outside the project set aside, and an exit status of their own for a finding, so that it cannot
# pass for one of Linvox's statuses.
export_sanitizer_options() {
    local source=$1
    export ASAN_OPTIONS=exitcode=86
    export LSAN_OPTIONS="suppressions=$source/tests/sanitizers/leak-suppressions.txt"
    export UBSAN_OPTIONS=print_stacktrace=1
}
