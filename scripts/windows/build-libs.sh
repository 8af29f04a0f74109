#!/usr/bin/env bash
# Cross-builds the libraries of the Windows build as static libraries into one prefix:
# zlib, bzip2, libpng, libjpeg-turbo, giflib, FreeType, SDL 1.2, SDL_image 1.2, SDL_ttf 2.0,
# the SDL_gfx primitives, GoogleTest, and the header-only JSON library the tests read. Sources are Debian's source packages (apt-get source)
# and the two upstream releases in third_party/; none of them is changed.
#
# The prefix lives outside the source tree, in a cache folder that later runs (and CI on the
# same machine) reuse: ${HOLMIK_MINGW_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/holmikziviza/mingw-w64}.
# A library already built at the wanted version is skipped, so a second run takes seconds.
# Prints the prefix on its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cache=${HOLMIK_MINGW_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/holmikziviza/mingw-w64}
prefix=$cache/prefix
host=x86_64-w64-mingw32
jobs=${HOLMIK_JOBS:-$(nproc)}
# Bump when a recipe below changes: every library is then built again.
recipes=2

# Debian source package versions (the first that downloads is used; the key is the first).
declare -A versions=(
  [zlib]="1:1.2.13.dfsg-1+deb12u1 1:1.2.13.dfsg-1"
  [bzip2]="1.0.8-5"
  [libpng1.6]="1.6.39-2+deb12u6 1.6.39-2+deb12u5 1.6.39-2+deb12u4"
  [libjpeg-turbo]="1:2.1.5-2"
  [giflib]="5.2.1-2.5+deb12u1 5.2.1-2.5"
  [freetype]="2.12.1+dfsg-5+deb12u4 2.12.1+dfsg-5+deb12u3 2.12.1+dfsg-5"
  [libsdl1.2]="1.2.15+dfsg2-8"
  [pygame]="2.1.2+dfsg-5"
)

log() { printf '== %s\n' "$*" >&2; }
die() { printf 'build-libs: %s\n' "$*" >&2; exit 1; }

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# --- build tools -------------------------------------------------------------------------
install_tools() {
  local wanted=(g++-mingw-w64-x86-64 wine wine64 nasm xvfb xauth dpkg-dev pkg-config cmake make googletest nlohmann-json3-dev xdotool imagemagick python3)
  local missing=() p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  log "installing ${missing[*]}"
  run_as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive run_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# apt-get source needs deb-src entries; add them beside the deb entries once.
enable_sources() {
  if apt-cache showsrc libsdl1.2 2>/dev/null | grep -q '^Package:'; then return; fi
  log "adding deb-src to the Debian sources list"
  local f changed=0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    if grep -q '^Types: deb$' "$f"; then
      run_as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | run_as_root tee -a /etc/apt/sources.list >/dev/null
    changed=1
  fi
  [ $changed -eq 1 ] || die "no Debian sources list to add deb-src to"
  run_as_root apt-get update -qq
  apt-cache showsrc libsdl1.2 2>/dev/null | grep -q '^Package:' || die "apt-cache has no source packages after adding deb-src"
}

# --- sources -----------------------------------------------------------------------------
src=$cache/src
work=$cache/build
mkdir -p "$src" "$work" "$prefix/.built"

# Unpacks Debian source package $1 (with Debian's patches applied) into $work and prints
# the folder. Tries the listed versions, then whatever apt-cache lists.
debian_source() {
  local name=$1 v dir tried=() candidates
  read -r -a candidates <<<"${versions[$name]}"
  mapfile -t -O ${#candidates[@]} candidates < <(apt-cache showsrc "$name" 2>/dev/null | sed -n 's/^Version: //p')
  for v in "${candidates[@]}"; do
    local dsc="${name}_${v#*:}.dsc"
    if [ ! -f "$src/$dsc" ]; then
      (cd "$src" && apt-get source --download-only -qq "$name=$v" >/dev/null 2>&1) || { tried+=("$v"); continue; }
    fi
    dir="$work/$name-${v#*:}"
    rm -rf "$dir"
    dpkg-source --no-check -x "$src/$dsc" "$dir" >/dev/null || die "dpkg-source could not unpack $dsc"
    echo "$dir"
    return
  done
  die "no source of $name could be downloaded (tried ${tried[*]:-nothing})"
}

upstream_source() { # $1 tarball in third_party/
  local tarball=$root/third_party/$1
  [ -f "$tarball" ] || die "missing $tarball"
  local dir="$work/${1%.tar.gz}"
  rm -rf "$dir"
  tar -xzf "$tarball" -C "$work"
  echo "$dir"
}

# --- the cross environment ---------------------------------------------------------------
export PATH="$prefix/bin:$PATH"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
export PKG_CONFIG_PATH=""
unset PKG_CONFIG_SYSROOT_DIR
export CC="$host-gcc-posix" CXX="$host-g++-posix" AR="$host-ar" RANLIB="$host-ranlib" STRIP="$host-strip" RC="$host-windres"
export CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" CFLAGS="-O2"
autotools_flags=(--host=$host --prefix="$prefix" --disable-shared --enable-static)
toolchain=$root/cmake/mingw-w64.cmake

# built NAME KEY: true when NAME was built with KEY (its version and the recipes number).
built() { [ -f "$prefix/.built/$1" ] && [ "$(cat "$prefix/.built/$1")" = "$2 r$recipes" ]; }
mark() { echo "$2 r$recipes" >"$prefix/.built/$1"; }

# step NAME KEY FUNCTION: runs FUNCTION unless NAME is built with KEY; its output goes to a log
# that is shown when it fails.
step() {
  local name=$1 key=$2 fn=$3
  if built "$name" "$key"; then
    log "$name $key: built already"
    return
  fi
  [ "$sources_ready" = 1 ] || { enable_sources; sources_ready=1; }
  log "$name $key"
  local started=$SECONDS logfile="$work/$name.log"
  if ! ( set -euo pipefail; "$fn" ) >"$logfile" 2>&1; then
    tail -n 60 "$logfile" >&2
    die "$name failed; the whole log is $logfile"
  fi
  mark "$name" "$key"
  log "$name: $((SECONDS - started)) s"
}
sources_ready=0

# --- recipes -----------------------------------------------------------------------------
build_zlib() {
  local d; d=$(debian_source zlib)
  cd "$d"
  CHOST=$host ./configure --static --prefix="$prefix"
  make -j"$jobs" libz.a
  make install-libs install-headers 2>/dev/null || make install
}

build_bzip2() {
  local d; d=$(debian_source bzip2)
  cd "$d"
  make -j"$jobs" CC="$CC" AR="$AR" RANLIB="$RANLIB" CFLAGS="-O2 -D_FILE_OFFSET_BITS=64" libbz2.a
  install -d "$prefix/lib" "$prefix/include" "$prefix/lib/pkgconfig"
  install -m 644 libbz2.a "$prefix/lib/"
  install -m 644 bzlib.h "$prefix/include/"
  cat >"$prefix/lib/pkgconfig/bzip2.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: bzip2
Description: bzip2 compression library
Version: 1.0.8
Libs: -L\${libdir} -lbz2
Cflags: -I\${includedir}
EOF
}

build_libpng() {
  local d; d=$(debian_source libpng1.6)
  cd "$d"
  ./configure "${autotools_flags[@]}"
  make -j"$jobs"
  make install
}

build_libjpeg() {
  local d; d=$(debian_source libjpeg-turbo)
  cmake -S "$d" -B "$d/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DHOLMIK_MINGW_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=ON \
    -DCMAKE_ASM_NASM_COMPILER=nasm -DCMAKE_CROSSCOMPILING_EMULATOR=
  cmake --build "$d/build" -j"$jobs" --target jpeg-static
  install -d "$prefix/lib/pkgconfig" "$prefix/include"
  install -m 644 "$d/build/libjpeg.a" "$prefix/lib/"
  install -m 644 "$d/build/jconfig.h" "$d/jerror.h" "$d/jmorecfg.h" "$d/jpeglib.h" "$prefix/include/"
  install -m 644 "$d/build/pkgscripts/libjpeg.pc" "$prefix/lib/pkgconfig/"
}

build_giflib() {
  local d; d=$(debian_source giflib)
  cd "$d"
  make -j"$jobs" CC="$CC" AR="$AR" CFLAGS="-O2 -std=gnu99 -Wall" libgif.a
  "$RANLIB" libgif.a
  install -m 644 libgif.a "$prefix/lib/"
  install -m 644 gif_lib.h "$prefix/include/"
}

build_freetype() {
  local d; d=$(debian_source freetype)
  cd "$d"
  ./configure "${autotools_flags[@]}" --with-zlib=yes --with-png=no --with-bzip2=no \
    --with-harfbuzz=no --with-brotli=no
  make -j"$jobs"
  make install
  # SDL_ttf 2.0.11 asks freetype-config, which current FreeType no longer installs.
  cat >"$prefix/bin/freetype-config" <<EOF
#!/bin/sh
# Answers from the prefix's freetype2.pc for configure scripts that still ask freetype-config.
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=
case "\$1" in
  --cflags) exec pkg-config --cflags freetype2 ;;
  --libs) exec pkg-config --static --libs freetype2 ;;
  --version|--ftversion) exec pkg-config --modversion freetype2 ;;
  --prefix*|--exec-prefix*) echo "$prefix" ;;
  *) exit 1 ;;
esac
EOF
  chmod +x "$prefix/bin/freetype-config"
}

build_sdl() {
  local d; d=$(debian_source libsdl1.2)
  cd "$d"
  ./configure "${autotools_flags[@]}" --disable-stdio-redirect --disable-nasm --disable-rpath
  make -j"$jobs"
  make install
}

build_sdl_image() {
  local d; d=$(upstream_source SDL_image-1.2.12.tar.gz)
  cd "$d"
  ./configure "${autotools_flags[@]}" --with-sdl-prefix="$prefix" \
    --enable-gif --enable-jpg --enable-png --enable-bmp \
    --disable-jpg-shared --disable-png-shared --disable-tif --disable-tif-shared \
    --disable-webp --disable-webp-shared
  grep -q 'define LOAD_JPG' config.h 2>/dev/null || grep -q -- '-DLOAD_JPG' Makefile || die "SDL_image without JPEG"
  grep -q -- '-DLOAD_PNG' Makefile || die "SDL_image without PNG"
  make -j"$jobs" libSDL_image.la
  make install-libLTLIBRARIES install-libSDL_imageincludeHEADERS install-pkgconfigDATA
  # Static linking needs the picture libraries after SDL_image; its .pc file does not say so.
  printf 'Requires.private: libpng16 libjpeg zlib\nLibs.private: -lgif\n' >>"$prefix/lib/pkgconfig/SDL_image.pc"
}

build_sdl_ttf() {
  local d; d=$(upstream_source SDL_ttf-2.0.11.tar.gz)
  cd "$d"
  ./configure "${autotools_flags[@]}" --with-sdl-prefix="$prefix" --with-freetype-prefix="$prefix" --without-x
  make -j"$jobs" libSDL_ttf.la
  make install-libLTLIBRARIES install-libSDL_ttfincludeHEADERS install-pkgconfigDATA
  printf 'Requires.private: freetype2\n' >>"$prefix/lib/pkgconfig/SDL_ttf.pc"
}

build_sdl_gfx() {
  local d; d=$(debian_source pygame)
  local g="$d/src_c/SDL_gfx" o="$d/sdl_gfx-build"
  mkdir -p "$o"
  local sdl_cflags; sdl_cflags=$(pkg-config --cflags sdl)
  "$CC" -O2 $sdl_cflags -I"$g" -c "$g/SDL_gfxPrimitives.c" -o "$o/SDL_gfxPrimitives.o"
  # The anti-aliased line that pygame compiles out, written against SDL_gfx's own helper.
  "$CC" -O2 $sdl_cflags -I"$g" -c "$root/scripts/windows/SDL_gfx_aaline.c" -o "$o/SDL_gfx_aaline.o"
  rm -f "$o/libSDL_gfx.a"
  "$AR" rcs "$o/libSDL_gfx.a" "$o/SDL_gfxPrimitives.o" "$o/SDL_gfx_aaline.o"
  install -m 644 "$o/libSDL_gfx.a" "$prefix/lib/"
  install -d "$prefix/include/SDL"
  # pygame's header compiles the declarations out too: the installed header is that one
  # under another name, plus the two declarations.
  install -m 644 "$g/SDL_gfxPrimitives.h" "$prefix/include/SDL/SDL_gfxPrimitives_pygame.h"
  install -m 644 "$g/SDL_gfxPrimitives_font.h" "$prefix/include/SDL/"
  cat >"$prefix/include/SDL/SDL_gfxPrimitives.h" <<'EOF'
/* SDL_gfx 2.0.23's primitives as pygame ships them, with the anti-aliased line back. */
#ifndef HOLMIK_SDL_GFXPRIMITIVES_H
#define HOLMIK_SDL_GFXPRIMITIVES_H
#include "SDL_gfxPrimitives_pygame.h"
#ifdef __cplusplus
extern "C" {
#endif
int aalineColor(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color);
int aalineRGBA(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
#ifdef __cplusplus
}
#endif
#endif
EOF
  cat >"$prefix/lib/pkgconfig/SDL_gfx.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: SDL_gfx
Description: SDL_gfx 2.0.23 drawing primitives (from pygame's copy)
Version: 2.0.23
Requires: sdl
Libs: -L\${libdir} -lSDL_gfx
Cflags: -I\${includedir}/SDL
EOF
}

build_googletest() {
  local d=$work/googletest
  rm -rf "$d"
  cmake -S /usr/src/googletest -B "$d" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DHOLMIK_MINGW_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF
  cmake --build "$d" -j"$jobs"
  cmake --install "$d"
}

# Header-only: Debian's copy, so that the cross compiler sees it without /usr/include.
build_nlohmann_json() {
  rm -rf "$prefix/include/nlohmann"
  cp -r /usr/include/nlohmann "$prefix/include/nlohmann"
}

# --- main --------------------------------------------------------------------------------
install_tools
command -v "$CC" >/dev/null || die "no $CC"

# A new compiler makes every library stale.
compiler_key="$("$CC" -dumpfullversion) $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64 2>/dev/null)"
if [ -f "$prefix/.built/compiler" ] && [ "$(cat "$prefix/.built/compiler")" != "$compiler_key" ]; then
  log "the compiler changed: building every library again"
  rm -rf "$prefix"
  mkdir -p "$prefix/.built"
fi
echo "$compiler_key" >"$prefix/.built/compiler"

started=$SECONDS
first() { local a; read -r -a a <<<"${versions[$1]}"; echo "${a[0]}"; }
step zlib "$(first zlib)" build_zlib
step bzip2 "$(first bzip2)" build_bzip2
step libpng "$(first libpng1.6)" build_libpng
step libjpeg-turbo "$(first libjpeg-turbo)" build_libjpeg
step giflib "$(first giflib)" build_giflib
step freetype "$(first freetype)" build_freetype
step SDL "$(first libsdl1.2)" build_sdl
step SDL_image "1.2.12" build_sdl_image
step SDL_ttf "2.0.11" build_sdl_ttf
step SDL_gfx "$(first pygame)+aaline" build_sdl_gfx
step googletest "$(dpkg-query -W -f='${Version}' googletest)" build_googletest
step nlohmann-json "$(dpkg-query -W -f='${Version}' nlohmann-json3-dev)" build_nlohmann_json
log "libraries ready in $((SECONDS - started)) s"
echo "$prefix"
