#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks what it holds and
# what it depends on.
#   check.sh <build directory>
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $NF}' > "$out/files"
status=0
for f in ./usr/bin/matched-filter-lab \
         ./usr/bin/matched-filter-bench \
         ./usr/share/applications/matched-filter-lab.desktop \
         ./usr/share/icons/hicolor/scalable/apps/matched-filter-lab.svg \
         ./usr/share/icons/hicolor/48x48/apps/matched-filter-lab.png; do
  if ! grep -qx -- "$f" "$out/files"; then
    echo "missing from the package: $f"; status=1
  fi
done
# Nothing of the build (tests, benchmarks, libraries, headers) slips in.
if grep -E '/(test_|perf_)|\.a$|\.h$|/include/' "$out/files"; then
  echo "build files in the package (above)"; status=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-liberation2; do
  if ! grep -q "\b$d\b" <<< "$depends"; then
    echo "missing dependency: $d"; status=1
  fi
done
[ "$(dpkg-deb -f "$deb" Package)" = matched-filter-lab ] || { echo "wrong package name"; status=1; }

# The desktop entry: Russian name and comment, the program and icon by name.
dpkg-deb -x "$deb" "$out/root"
entry="$out/root/usr/share/applications/matched-filter-lab.desktop"
for line in '^Name=Согласованные' '^Comment=Лабораторная работа' '^Exec=matched-filter-lab$' \
            '^Icon=matched-filter-lab$' '^Categories=Education;Science;$'; do
  grep -q "$line" "$entry" || { echo "desktop entry lacks $line"; status=1; }
done
exit $status
