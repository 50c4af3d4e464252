# Shared by the scripts in this folder: the Debian packages the planner needs
# and a function that installs whichever of them are missing.

# Build and test: compiler, CMake, Ninja, pkg-config, Qt 6 Widgets, COIN-OR CBC
# (the solver behind "Vorschlag"), Qt's German texts (file
# dialogs, message box buttons), giflib (writes our pictures), libjpeg-turbo
# (screenshots), GoogleTest, and the checkers of the files the install gives
# the desktop (the install test runs them): desktop-file-utils, appstream and
# shared-mime-info.
DZ_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgif-dev libjpeg62-turbo-dev zlib1g-dev
                   coinor-libcbc-dev libgtest-dev libgmock-dev fonts-dejavu-core desktop-file-utils appstream shared-mime-info)
# Fuzzing the file readers: clang with libFuzzer and the sanitizer runtimes.
DZ_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Seeing the window without a desktop: a virtual X server and a screen grabber.
DZ_DISPLAY_PACKAGES=(xvfb xauth imagemagick)

dz_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# dz_install PACKAGE... : installs the packages that are not installed yet.
dz_install() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    dz_as_root apt-get update -q
    DEBIAN_FRONTEND=noninteractive dz_as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# dz_build PRESET : configures and builds one CMake preset.
dz_build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}
