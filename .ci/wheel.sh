#!/usr/bin/env bash
# CI for what users install: the sdist, and from it the portable Linux wheel
# (Zig aimed at glibc 2.17), checked by scripts/build_portable_wheel.sh
# (auditwheel, symbol versions, abi3audit) and smoke-tested in a fresh
# environment; then the whole test suite runs against that wheel, installed
# with its test extra in another fresh environment (the wheel's own C++
# runtime and clock, not the compiler's of the development build). About 4
# minutes of CPU time for the build (19 minutes of wall time on a shared,
# busy 2-core machine), plus 4 the first time Zig builds its libc++ (cached
# in ~/.cache/zig afterwards), and some 6 minutes for the suite. The build
# is cut off after an hour, the suite after 30 minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

tools="${OV_WHEEL_VENV:-$(mktemp -d)/tools}"
python3 -m venv "$tools"
"$tools/bin/python" -m pip install -q --upgrade pip
"$tools/bin/python" -m pip install -q -r scripts/portable-wheel-requirements.txt

rm -f dist/orvane_vardik-*.tar.gz
"$tools/bin/python" -m build --sdist --no-isolation --outdir dist . >/dev/null
sdist="$(ls dist/orvane_vardik-*.tar.gz)"
listing="$(tar tzf "$sdist")"
for need in CMakeLists.txt pyproject.toml src/module/module.cpp src/registry/random.cpp \
    python/orvane_vardik/__init__.py scripts/zig/toolchain.cmake scripts/smoke_test.py; do
  grep -q "^orvane_vardik-[^/]*/$need\$" <<<"$listing" || { echo "sdist lacks $need" >&2; exit 1; }
done
if [ -d third_party ]; then
  grep -q "^orvane_vardik-[^/]*/third_party/" <<<"$listing" || { echo "sdist lacks third_party/" >&2; exit 1; }
fi
echo "sdist: $sdist ($(du -k "$sdist" | cut -f1) kB, $(wc -l <<<"$listing") files)"

# The wheel is built from the sdist, so this also shows the sdist builds.
PYTHON="$tools/bin/python" OV_NO_BUILD_ISOLATION=1 timeout 3600 scripts/build_portable_wheel.sh "$sdist"
echo "wheel checks done in $((SECONDS - start)) s"

# The whole suite against the installed wheel. It runs from the source tree
# (the tests read docs/ and scripts/, and compile tests/cpp/), which holds
# the package under python/, so the import below can only find the wheel.
wheel="$(ls dist/orvane_vardik-*manylinux*"$(uname -m)".whl)"
suite="${OV_WHEEL_TEST_VENV:-$(mktemp -d)/suite}"
python3 -m venv "$suite"
"$suite/bin/python" -m pip install -q "${wheel}[test]"
where="$("$suite/bin/python" -c 'import orvane_vardik; print(orvane_vardik.__file__)')"
case "$where" in "$suite"/*) ;; *) echo "the suite would test $where, not the wheel" >&2; exit 1 ;; esac
echo "== the test suite against $(basename "$wheel")"
timeout 1800 "$suite/bin/python" -m pytest -q -p no:cacheprovider
echo "wheel tested in $((SECONDS - start)) s"
