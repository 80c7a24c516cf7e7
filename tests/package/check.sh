#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian package from a built tree and checks it as an administrator
# would: Debian's own tools on the package (lintian, appstreamcli,
# desktop-file-validate, man), then the unpacked files against what the
# package, its desktop entry and its metainfo say.
#   check.sh <build directory>
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() { echo "$*"; status=1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
echo "package: $(basename "$deb")"
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-deb -f "$deb" Package)" = matched-filter-lab ] || fail "wrong package name"

# Lintian: no error and no warning. The informational notes that remain must
# each be explained in the packaging code, so a new one is looked at.
lintian_args=(--display-info --fail-on error,warning)
# CI runs as root, which lintian warns about on its error stream.
[ "$(id -u)" -ne 0 ] || lintian_args+=(--allow-root)
if ! lintian "${lintian_args[@]}" "$deb" > "$out/lintian" 2>&1; then
  cat "$out/lintian"; fail "lintian reports errors or warnings (above)"
elif grep -E '^[EW]: ' "$out/lintian"; then
  fail "lintian reports errors or warnings (above)"
fi
for tag in $(awk '/^I: / { print $3 }' "$out/lintian" | sort -u); do
  grep -q -- "# - $tag" "$source_dir/packaging/CMakeLists.txt" ||
    fail "lintian note '$tag' is not explained in packaging/CMakeLists.txt"
done

dpkg-deb -c "$deb" | awk '{print $NF}' > "$out/files"
# Nothing of the build (tests, benchmarks, libraries, headers) slips in.
if grep -E '/(test_|perf_)|\.a$|\.h$|/include/' "$out/files"; then
  fail "build files in the package (above)"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins \
         qt6-translations-l10n fonts-liberation2; do
  grep -q "\b$d\b" <<< "$depends" || fail "missing dependency: $d"
done

root="$out/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

# The programs, and the page of each in section 1.
for program in matched-filter-lab matched-filter-bench; do
  [ -x "$root/usr/bin/$program" ] || fail "missing program /usr/bin/$program"
  [ -f "$share/man/man1/$program.1.gz" ] || fail "missing manual page of $program"
done
for f in "$share"/doc/matched-filter-lab/{copyright,changelog.gz}; do
  [ -f "$f" ] || fail "missing ${f#"$root"}"
done

# The pages open with man and render without a warning.
for page in "$share"/man/man1/*.1.gz; do
  if ! warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null) ||
     [ -n "$warnings" ]; then
    fail "man cannot render $(basename "$page") cleanly: $warnings"
  fi
done
# Every option that --help lists is in the page (rendered wide, so that no
# option is hyphenated at a line end).
bench="$root/usr/bin/matched-filter-bench"
LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$share/man/man1/matched-filter-bench.1.gz" 2>/dev/null |
  sed -e 's/\xe2\x80\x90/-/g' -e 's/\xe2\x88\x92/-/g' > "$out/bench-page"
options=$("$bench" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u)
[ -n "$options" ] || fail "matched-filter-bench --help lists no options"
for option in $options; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" "$out/bench-page" ||
    fail "option $option of --help is missing from the manual page"
done

# One version everywhere: the package, the program, the changelog, the metainfo.
[ "$("$bench" --version)" = "matched-filter-bench $version" ] ||
  fail "matched-filter-bench --version does not say $version"
zcat "$share/doc/matched-filter-lab/changelog.gz" > "$out/changelog"
[ "$(dpkg-parsechangelog -l "$out/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's latest entry is not $version"
grep -q '^License: MIT$' "$share/doc/matched-filter-lab/copyright" ||
  fail "the copyright file does not name the MIT licence"

# The desktop entry: valid, one main category, the program and icon it names.
entry="$share/applications/matched-filter-lab.desktop"
if [ ! -f "$entry" ]; then
  fail "missing desktop entry"
else
  report=$(desktop-file-validate "$entry" 2>&1) || true
  [ -z "$report" ] || fail "desktop-file-validate: $report"
  for line in '^Name=Согласованные' '^Comment=Лабораторная работа' \
              '^Categories=Education;Electronics;$'; do
    grep -q "$line" "$entry" || fail "desktop entry lacks $line"
  done
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$root/usr/bin/$exec_name" ] || fail "desktop entry starts '$exec_name', not in /usr/bin"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  for f in scalable/apps/$icon.svg 48x48/apps/$icon.png; do
    [ -f "$share/icons/hicolor/$f" ] || fail "missing icon hicolor/$f"
  done
  file -b "$share/icons/hicolor/48x48/apps/$icon.png" | grep -q '48 x 48' ||
    fail "the 48x48 icon is not 48 x 48 pixels"
fi

# The metainfo: valid for software centres, its desktop id and programs in
# the package, its latest release this one.
metainfo=$(ls "$share"/metainfo/*.metainfo.xml 2>/dev/null || true)
if [ -z "$metainfo" ]; then
  fail "missing metainfo"
else
  # validate-tree also finds the desktop entry that the metainfo launches.
  if ! appstreamcli validate-tree --pedantic --no-net "$root" > "$out/appstream" 2>&1 ||
     grep -E '^ *[EW]: ' "$out/appstream"; then
    cat "$out/appstream"; fail "appstreamcli reports errors or warnings"
  fi
  id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
  [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file not named after $id"
  launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
  [ -f "$share/applications/$launchable" ] || fail "metainfo launches $launchable, not installed"
  for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
    [ -x "$root/usr/bin/$binary" ] || fail "metainfo provides $binary, not installed"
  done
  release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
  [ "$release" = "$version" ] || fail "the metainfo's latest release is $release, not $version"
fi
exit $status
