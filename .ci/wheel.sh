#!/usr/bin/env bash
# CI for what users install: the sdist, and from it the portable Linux wheel
# (Zig aimed at glibc 2.17), checked by scripts/build_portable_wheel.sh
# (auditwheel, symbol versions, abi3audit) and smoke-tested in a fresh
# environment. About 4 minutes of CPU time (19 minutes of wall time on a
# shared, busy 2-core machine), plus 4 the first time Zig builds its libc++
# (cached in ~/.cache/zig afterwards). The build is cut off after an hour.
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
