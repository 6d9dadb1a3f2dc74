#!/usr/bin/env bash
# Cross-builds the suite for 64-bit Windows on Debian 12, runs its tests under
# Wine and makes the installer. Qt for MinGW is built once from Debian's own
# source into a cache folder keyed by the recipe, and reused after.
#   scripts/windows.sh [build-folder]      everything
#   KINETRA_WINDOWS_STAGE=qt scripts/windows.sh   only make sure Qt is there
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$here/build-windows}")"
cache="${KINETRA_WINDOWS_CACHE:-/var/cache/kinetra-windows}"
stage="${KINETRA_WINDOWS_STAGE:-all}"

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"

installPackages() {
  local packages=(
    cmake ninja-build perl dpkg-dev ccache fonts-liberation2
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    wine wine64 xvfb xauth imagemagick nsis
  )
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  $sudo_ apt-get -o DPkg::Lock::Timeout=900 update
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get -o DPkg::Lock::Timeout=900 \
    install -y --no-install-recommends "${missing[@]}"
}

# The Qt recipe: everything that changes the built Qt is part of its key.
qtVersion="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || echo none)"
qtFlags=(
  -release -shared -nomake examples -nomake tests -qt-host-path /usr
  -no-dbus -no-opengl -no-feature-vulkan -no-feature-sql -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-feature-ssl -no-openssl
  -no-feature-tabletevent -no-icu
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-freetype -qt-harfbuzz
)
qtKey() {
  { echo "$qtVersion"; echo "${qtFlags[*]}"; cat "$here/cmake/mingw-w64.cmake"; } \
    | sha256sum | cut -c1-12
}

# Debian's qt6-base source, fetched through an apt configuration of our own
# so the system's sources stay as they are.
fetchQtSource() {
  local work="$1" apt="$1/apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$work/src"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    > "$apt/sources.list"
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
  apt-get "${opts[@]}" update
  (cd "$work/src" && apt-get "${opts[@]}" source --only-source "qt6-base=${qtVersion}")
}

buildQt() {
  local work="$1" prefix="$2"
  [ -d "$work/src" ] && ls -d "$work"/src/qt6-base-*/ >/dev/null 2>&1 || fetchQtSource "$work"
  local src
  src="$(ls -d "$work"/src/qt6-base-*/ | head -1)"
  # Qt remembers its toolchain file; keep one beside it rather than point into a checkout.
  cp "$here/cmake/mingw-w64.cmake" "$prefix.toolchain.cmake"
  mkdir -p "$work/build"
  # A build that was interrupted goes on where it stopped.
  if [ ! -f "$work/build/build.ninja" ]; then
    (cd "$work/build" &&
      "$src/configure" -prefix "$prefix" "${qtFlags[@]}" -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix.toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  fi
  cmake --build "$work/build" --parallel "$(nproc)"
  cmake --install "$work/build"
}

ensureQt() {
  qtPrefix="$cache/qt-6.4.2-$(qtKey)"
  [ -f "$qtPrefix/.complete" ] && return
  $sudo_ mkdir -p "$cache"
  exec 9>"$cache/.lock-$(qtKey)"
  flock 9
  if [ ! -f "$qtPrefix/.complete" ]; then
    local started=$SECONDS
    buildQt "$cache/work-$(qtKey)" "$qtPrefix"
    touch "$qtPrefix/.complete"
    rm -rf "$cache/work-$(qtKey)"
    echo "Qt for Windows built in $(( (SECONDS - started) / 60 )) min into $qtPrefix"
  fi
  exec 9>&-
}

# Everything Wine keeps, and the compiler cache if none is given, stay in
# the build folder.
prepareWine() {
  export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export CCACHE_DIR="${CCACHE_DIR:-$build/ccache}"
  mkdir -p "$build/test-output"
  # CTest runs each cross-built test through this: Qt's and MinGW's DLLs on
  # Wine's path, and Qt Test's output through a file, which Wine's console
  # handling cannot garble. Wine does not pass QT_* variables on, so the
  # platform the test asks for is set by Windows' own shell.
  local gcc
  gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
  cat > "$build/wine-run" <<WRAPPER
#!/usr/bin/env bash
export WINEPREFIX='$WINEPREFIX' WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
export WINEPATH='Z:$qtPrefix/bin;Z:$gcc;Z:/usr/x86_64-w64-mingw32/lib'
out='$build/test-output/'"\$(basename "\$1" .exe).txt"
rm -f "\$out"
program="Z:\${1//\//\\\\}"
# Qt's offscreen platform draws with FreeType from one folder of fonts.
fonts='Z:\\usr\\share\\fonts\\truetype\\liberation2'
shift
wine cmd /c "set QT_QPA_PLATFORM=\${QT_QPA_PLATFORM:-windows}&& set QT_QPA_FONTDIR=\$fonts&& \$program \$* -o Z:\${out//\//\\\\},txt"
status=\$?
[ -f "\$out" ] && cat "\$out"
exit \$status
WRAPPER
  chmod +x "$build/wine-run"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    xvfb-run -a wineboot -i
    wineserver -w
    # Wine links Documents, Desktop and the like to the home folder; the
    # tests and the programs write there, so they become folders of the prefix.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
      if [ -L "$link" ]; then rm "$link"; mkdir "$link"; fi
    done
  fi
}

crossBuild() {
  cmake -S "$here" -B "$build/suite" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$qtPrefix" -DCMAKE_FIND_ROOT_PATH="$qtPrefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$build/wine-run" \
    -DCMAKE_INSTALL_PREFIX="$build/stage"
  cmake --build "$build/suite" --parallel "$(nproc)"
}

# One test at a time: on Windows the tests share the user's own folders.
runTests() {
  (cd "$build/suite" &&
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600) \
    | tee "$build/ctest.log"
  local status=${PIPESTATUS[0]}
  wineserver -k || true
  return "$status"
}

makeInstaller() {
  rm -rf "$build/stage"
  cmake --install "$build/suite" --strip
  # Qt's own DLLs come with their symbol tables.
  find "$build/stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  cmake --build "$build/suite" --target installer
  ls -l "$build"/suite/Kinetra-*-setup.exe
}

started=$SECONDS
installPackages
qtVersion="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
ensureQt
[ "$stage" = qt ] && exit 0
prepareWine
crossBuild
runTests
makeInstaller
echo "windows.sh: done in $(( (SECONDS - started) / 60 )) min $(( (SECONDS - started) % 60 )) s"
