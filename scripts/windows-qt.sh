# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, once, into a cache
# outside the clone. Sourced by scripts/windows.sh; needs scripts/packages.sh.
#
# windows_qt_prefix: prints the folder the cached Qt lives in (whether or not it is built).
# build_windows_qt:   builds and installs it there unless it is already complete.

QT_WINDOWS_CACHE=${KALVORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kalvora}
# What the program needs of Qt: Core, Gui, Widgets and Test, the Windows platform plugin, the
# offscreen one for the tests, and GIF for the logo. Network, SQL, D-Bus, printing, OpenGL and
# the rest stay out. Tablet events need wintab, which Debian's source leaves out; with OpenGL
# off, dynamicgl must be off too or the Windows plugin does not compile.
QT_WINDOWS_OPTIONS=(
    -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_SUBMODULES=qtbase
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
)

# The Qt version is the one the Linux build uses, whose moc, rcc and uic serve as host tools.
windows_qt_version() {
    local version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) ||
        version=$(apt-cache policy qt6-base-dev | sed -n 's/^ *Candidate: //p')
    echo "$version"
}

windows_qt_prefix() {
    local version key
    version=$(windows_qt_version)
    key=$( (echo "$version" && printf '%s\n' "${QT_WINDOWS_OPTIONS[@]}" &&
        cat cmake/windows-toolchain.cmake) | sha256sum | cut -c1-12)
    echo "$QT_WINDOWS_CACHE/qt-${version%%+*}-mingw-$key"
}

# Fetches the source package through a private apt setup made from the mirrors that this
# machine's apt sources already name, leaving the machine's own apt setup as it is.
fetch_qt_source() {
    local version=$1 into=$2 apt_dir="$QT_WINDOWS_CACHE/apt"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$into"
    apt-get indextargets --format '$(TARGET_OF) $(SITE) $(RELEASE)' | sort -u |
        awk '$1 == "deb" { printf "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n", $2, $3 }' \
            >"$apt_dir/sources.list"
    local apt=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache::archives="$apt_dir/archives"
        -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User="$(id -un)")
    apt-get "${apt[@]}" update
    (cd "$into" && apt-get "${apt[@]}" source "qt6-base=$version")
}

build_windows_qt() {
    local prefix version work source
    prefix=$(windows_qt_prefix)
    if [ -f "$prefix/.complete" ]; then
        echo "==> Qt for Windows: cached in $prefix"
        return 0
    fi
    version=$(windows_qt_version)
    work="$QT_WINDOWS_CACHE/work"
    rm -rf "$work" "$prefix"
    mkdir -p "$work" "$prefix"
    step "Fetching the source of qt6-base $version" fetch_qt_source "$version" "$work/source"
    source=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    # The toolchain is kept beside the Qt it built, where Qt's own toolchain file points to it.
    cp cmake/windows-toolchain.cmake "$prefix/windows-toolchain.cmake"
    step "Configuring Qt for Windows" cmake -G Ninja -S "$source" -B "$work/build" \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/windows-toolchain.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${QT_WINDOWS_OPTIONS[@]}"
    step "Building Qt for Windows (the better part of an hour the first time)" \
        cmake --build "$work/build" --parallel "$(nproc)"
    step "Installing Qt for Windows into $prefix" cmake --install "$work/build"
    rm -rf "$work" "$QT_WINDOWS_CACHE/apt"
    touch "$prefix/.complete"
}
