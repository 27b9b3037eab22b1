#!/usr/bin/env bash
# Installs what is missing, builds Numsift (Release, in build/) and starts
# the window. Without a display it says so and names the alternatives.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMSIFT_TESTS=OFF -DNUMSIFT_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"

app=build/ui/numsift
if [ ! -x "$app" ]; then
  # No window in this build: run the command-line tool on the example scheme.
  exec build/cli/numsift-cli run examples/example.json --width 10
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  cat >&2 <<MSG
没有可用的图形显示，无法打开 Numsift 窗口。
No display is available, so the Numsift window cannot open.

  命令行工具 / command line:   build/cli/numsift-cli run examples/example.json
  虚拟显示 / virtual display:  xvfb-run -a $app
MSG
  exit 1
fi
exec "$app" "$@"
