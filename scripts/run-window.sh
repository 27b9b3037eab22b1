#!/usr/bin/env bash
# Starts the Numsift window from a build directory (default: build/), passing
# on any arguments. Without a display it says so in Chinese and English and
# names the command-line tool and a virtual display instead of failing with
# the toolkit's own error.
#   scripts/run-window.sh [--build-dir DIR] [window arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
if [ "${1:-}" = "--build-dir" ] && [ -n "${2:-}" ]; then
  build=$2
  shift 2
fi
app=$build/ui/numsift
cli=$build/cli/numsift-cli

if [ ! -x "$app" ]; then
  cat >&2 <<MSG
找不到窗口程序 $app，请先构建（scripts/run.sh 会安装依赖并构建）。
The window program $app was not found; build it first (scripts/run.sh installs and builds).
MSG
  exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  cat >&2 <<MSG
没有可用的图形显示，无法打开 Numsift 窗口。
No display is available, so the Numsift window cannot open.

  命令行工具 / command line:   $cli run examples/example.json
  虚拟显示 / virtual display:  xvfb-run -a $app
MSG
  exit 1
fi
exec "$app" "$@"
