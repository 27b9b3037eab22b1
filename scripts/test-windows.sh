#!/usr/bin/env bash
# Smoke-tests the Windows package under Wine (Debian's wine and wine64) and
# Xvfb, against the Linux build of the same checkout:
#  1. numsift-cli.exe from the zip prints the same bytes as the Linux
#     numsift-cli, on standard output and standard error, with the same exit
#     status: every command on every scheme in examples/, and GBK, GB18030,
#     UTF-16 and UTF-8 number files (read as files and through standard
#     input). Nothing is converted before the comparison: the Windows tool
#     writes its streams in binary, so its line ends are Linux's (LF, and
#     CR LF inside number lists, as the window's copy text has them).
#  2. numsift-io-probe of both builds reads one file holding every GB18030
#     code (and some broken ones), and each number file, as the same text;
#     the Windows data folder is %APPDATA%\Numsift, made on demand.
#  3. numsift.exe opens its main window and loads examples/example.json
#     through 载入方案 and Wine's open dialog; 开始缩水 and 复制全部号码 are
#     clicked, and the clipboard then holds the numbers the Linux
#     numsift-cli keeps for that scheme; 导出全部号码 opens Notepad; a
#     picture of the window after the run is saved as
#     docs/windows-wine-main.png.
# Builds the package first (scripts/build-windows.sh).
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/build-windows.sh
scripts/setup.sh wine wine64 xvfb xauth xdotool xclip imagemagick

cache=${NUMSIFT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/numsift}
version=$(sed -n -E 's/^project\(Numsift VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
zip=$root/dist/numsift-$version-windows-x64.zip

passed=0
failed=0
pass() {
  passed=$((passed + 1))
  echo "ok    $*"
}
fail() {
  failed=$((failed + 1))
  echo "FAIL  $*"
}

# The Linux side: the same Release build as scripts/run.sh.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMSIFT_TESTS=OFF -DNUMSIFT_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target numsift-cli numsift-io-probe
cmake --build build-windows -j"$(nproc)" --target numsift-io-probe

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The programs as a player gets them: out of the zip.
unzip -q "$zip" -d "$work/zip"
win=$work/zip/numsift-$version-windows-x64
cp build-windows/io/numsift-io-probe.exe "$win/"

# wait_for SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
# Every Wine program runs on one virtual display: Wine's session keeps the
# display its first program found.
Xvfb -displayfd 3 -screen 0 1400x1000x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for 20 test -s "$work/display" || {
  echo "test-windows: Xvfb did not start" >&2
  exit 1
}
export DISPLAY=:$(cat "$work/display")

export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true # a session left from an earlier run, on another display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "test-windows: making the Wine prefix $WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
fi

# Test files, made here in their encodings.
mkdir -p "$work/files"
cd "$work/files"
cp "$root"/examples/*.json "$root"/examples/draws.txt .
text='号码：12345，54321；00001、99999\r\n业 67890 13579|24680\t11111.22222\r\n'
printf "$text" | iconv -f UTF-8 -t GBK >gbk.txt
printf "$text"'𠮷 € 33333\r\n' | iconv -f UTF-8 -t GB18030 >gb18030.txt
{
  printf '\xFF\xFE'
  printf "$text" | iconv -f UTF-8 -t UTF-16LE
} >utf16le-bom.txt
printf "$text" | iconv -f UTF-8 -t UTF-16LE >utf16le.txt
{
  printf '\xFE\xFF'
  printf "$text" | iconv -f UTF-8 -t UTF-16BE
} >utf16be-bom.txt
{
  printf '\xEF\xBB\xBF'
  printf "$text"
} >utf8-bom.txt
number_files=(gbk.txt gb18030.txt utf16le-bom.txt utf16le.txt utf16be-bom.txt utf8-bom.txt)

# compare NAME ARGS...: both tools on the same arguments, from this folder.
compare() {
  local name=$1
  shift
  local lx=0 wx=0
  "$root/build/cli/numsift-cli" "$@" >"$work/linux.out" 2>"$work/linux.err" || lx=$?
  wine "$win/numsift-cli.exe" "$@" >"$work/windows.out" 2>"$work/windows.err" </dev/null || wx=$?
  if [ "$lx" != "$wx" ]; then
    fail "$name: exit status $wx on Windows, $lx on Linux"
  elif ! cmp -s "$work/linux.out" "$work/windows.out"; then
    fail "$name: standard output differs: $(cmp "$work/linux.out" "$work/windows.out" 2>&1 | head -n1)"
  elif ! cmp -s "$work/linux.err" "$work/windows.err"; then
    fail "$name: standard error differs: $(head -c 200 "$work/windows.err")"
  else
    pass "$name ($(wc -c <"$work/linux.out") bytes, exit $lx)"
  fi
}

# compare_stdin NAME FILE ARGS...: the same with FILE as standard input.
compare_stdin() {
  local name=$1 file=$2
  shift 2
  local lx=0 wx=0
  "$root/build/cli/numsift-cli" "$@" <"$file" >"$work/linux.out" 2>"$work/linux.err" || lx=$?
  wine "$win/numsift-cli.exe" "$@" <"$file" >"$work/windows.out" 2>"$work/windows.err" || wx=$?
  if [ "$lx" = "$wx" ] && cmp -s "$work/linux.out" "$work/windows.out"; then
    pass "$name ($(wc -c <"$work/linux.out") bytes, exit $lx)"
  else
    fail "$name: exit $wx/$lx, $(cmp "$work/linux.out" "$work/windows.out" 2>&1 | head -n1)"
  fi
}

echo "== numsift-cli.exe against the Linux numsift-cli"
for scheme in *.json; do
  compare "run $scheme" run "$scheme"
  compare "run $scheme --width 10" run "$scheme" --width 10
  compare "report $scheme" report "$scheme"
  compare "backtest $scheme draws.txt" backtest "$scheme" draws.txt
  compare "explain $scheme 35789" explain "$scheme" 35789
  compare "run $scheme --base gbk.txt" run "$scheme" --base gbk.txt
  compare "run $scheme --draws draws.txt" run "$scheme" --draws draws.txt
  compare "rules $scheme draws.txt" rules "$scheme" draws.txt
  compare "walk $scheme draws.txt --last 20" walk "$scheme" draws.txt --last 20
done
for f in "${number_files[@]}"; do
  compare "parse --base $f" parse --base "$f"
  compare "parse --intersection $f" parse --intersection "$f"
  compare_stdin "parse --base < $f" "$f" parse --base
done
compare "help" --help
compare "missing file" parse --base missing.txt
compare "unknown command" frobnicate

echo "== GB18030 and the other encodings read as the same text"
probe=$root/build/io/numsift-io-probe
"$probe" gb18030-corpus corpus.txt
for f in corpus.txt "${number_files[@]}"; do
  "$probe" decode "$f" "$work/linux.txt"
  if wine "$win/numsift-io-probe.exe" decode "$f" "$work/windows.txt" &&
    cmp -s "$work/linux.txt" "$work/windows.txt"; then
    pass "decode $f ($(wc -c <"$f") bytes in, $(wc -c <"$work/linux.txt") bytes of UTF-8 out)"
  else
    fail "decode $f: $(cmp "$work/linux.txt" "$work/windows.txt" 2>&1 | head -n1)"
  fi
done

echo "== the data folder"
if wine "$win/numsift-io-probe.exe" data-folder "$work/folder.txt"; then
  folder=$(cat "$work/folder.txt")
  case "$folder" in
    *'\AppData\Roaming\Numsift')
      if [ -d "$(winepath -u "$folder")" ]; then
        pass "data folder $folder, made on demand"
      else
        fail "data folder $folder was not made"
      fi
      ;;
    *) fail "data folder $folder is not the user's roaming application data" ;;
  esac
else
  fail "no data folder"
fi

echo "== numsift.exe under Xvfb"
# Positions, fixed by the layouts: in the main window the 文件 menu button and
# the first banker group from the top left, the result area's buttons from the
# bottom right (no window has a frame here: Xvfb runs no window manager);
# in Wine's open dialog the first entry of the folder's list.
file_top_left=(1030 16)    # 文件, whose menu holds 载入方案 second
banker_top_left=(432 94)   # 胆组 1, green once example.json is loaded
run_from_right=(131 93)    # 开始缩水
copy_from_right=(193 30)   # 复制全部号码
export_from_right=(68 30)  # 导出全部号码
ok_from_right=(52 23)      # 确定 in the message box
first_entry=(210 47)       # the open dialog's first file
mkdir -p "$work/gui"
cp "$root/examples/example.json" "$work/gui/"

# click WINDOW X Y: a press and release at (X, Y) inside WINDOW.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# from_right WINDOW DX DY: click DX, DY from WINDOW's bottom right corner.
from_right() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  click "$1" $((WIDTH - $2)) $((HEIGHT - $3))
}
# pixel WINDOW X Y: the colour at (X, Y) inside WINDOW, as #RRGGBB.
pixel() {
  import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | tail -n1 | grep -o '#[0-9A-F]\{6\}'
}
# painted WINDOW DX DY: the pixel DX, DY from WINDOW's bottom right is not black.
painted() {
  local WIDTH HEIGHT X Y SCREEN WINDOW colour
  eval "$(xdotool getwindowgeometry --shell "$1")"
  colour=$(pixel "$1" $((WIDTH - $2)) $((HEIGHT - $3)))
  [ -n "$colour" ] && [ "$colour" != "#000000" ]
}
# green WINDOW X Y: the pixel at (X, Y) is green (a selected button's face,
# which Fusion shades).
green() {
  local colour
  colour=$(pixel "$@")
  [ -n "$colour" ] && ((16#${colour:3:2} >= 0xC0 && 16#${colour:1:2} <= 0x80 && 16#${colour:5:2} <= 0x80))
}
# find_window NAME: the first visible window whose title matches NAME, if
# any. xdotool fails with BadWindow when a window it lists is gone before it
# reads it (Wine makes and drops short-lived windows while a program starts
# or opens a menu): that counts as not found, and the callers poll again.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true; }
# await_window SECONDS NAME: polls until a window matches NAME and prints it.
await_window() {
  local deadline=$((SECONDS + $1)) id
  while :; do
    id=$(find_window "$2")
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
# dialog_closed: no window titled 载入方案 is left.
dialog_closed() { [ -z "$(find_window '^载入方案$')" ]; }
clipboard_holds_numbers() { [ "$(xclip -o -selection clipboard 2>/dev/null | head -c 5)" != "" ]; }
# The count message is a second window titled Numsift.
message_box() { xdotool search --name '^Numsift$' 2>/dev/null | grep -vx "$main" | head -n1 || true; }
message_shown() { [ -n "$(message_box)" ]; }
message_closed() { [ -z "$(message_box)" ]; }

# Started in a folder that holds only example.json: the open dialog lists it first.
(cd "$work/gui" && exec wine "$win/numsift.exe") >"$work/window.log" 2>&1 &
main=$(await_window 60 '^Numsift$') || true
if [ -z "$main" ]; then
  fail "numsift.exe opened no main window within 60 s"
else
  pass "numsift.exe opened its main window"
  # Clicks count once the window has painted: 开始缩水 is no longer black.
  wait_for 30 painted "$main" "${run_from_right[@]}" || fail "the main window did not paint"
  # 文件, then the menu's second entry 载入方案 by the keyboard. A slow
  # machine may still be busy when the keys arrive and lose them: then the
  # menu is closed and opened again, up to three times.
  dialog=
  for attempt in 1 2 3; do
    click "$main" "${file_top_left[@]}"
    sleep 1
    xdotool key Down Down Return
    dialog=$(await_window 20 '^载入方案$') && break
    echo "test-windows: no open dialog after attempt $attempt"
    xdotool key Escape
  done
  if [ -n "$dialog" ]; then
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    # A double click on example.json in Wine's own open dialog.
    xdotool mousemove $((X + first_entry[0])) $((Y + first_entry[1])) click 1 sleep 0.1 click 1
    if wait_for 30 dialog_closed && wait_for 30 green "$main" "${banker_top_left[@]}"; then
      pass "载入方案 loaded example.json through Wine's open dialog"
    else
      fail "载入方案 did not load example.json"
      # A dialog left open would take every later click.
      dialog_closed || xdotool key Escape
    fi
  else
    fail "载入方案 opened no dialog"
  fi
  from_right "$main" "${run_from_right[@]}"
  echo -n | xclip -selection clipboard
  from_right "$main" "${copy_from_right[@]}"
  if wait_for 30 clipboard_holds_numbers; then
    xclip -o -selection clipboard | tr -s ' \r\n' '\n' | awk NF >"$work/window-numbers.txt"
    "$root/build/cli/numsift-cli" run "$work/gui/example.json" 2>/dev/null | awk NF >"$work/cli-numbers.txt"
    kept=$(wc -l <"$work/window-numbers.txt")
    if cmp -s "$work/window-numbers.txt" "$work/cli-numbers.txt"; then
      pass "开始缩水 then 复制全部号码: the clipboard holds the $kept numbers numsift-cli keeps for example.json"
    else
      fail "the window's $kept numbers differ from numsift-cli's $(wc -l <"$work/cli-numbers.txt")"
    fi
  else
    fail "复制全部号码 put nothing on the clipboard"
  fi
  if wait_for 10 message_shown; then
    from_right "$(message_box)" "${ok_from_right[@]}"
    wait_for 10 message_closed || fail "确定 did not close the count message"
  else
    fail "复制全部号码 showed no count message"
  fi
  import -window "$main" "$root/docs/windows-wine-main.png"
  pass "screenshot docs/windows-wine-main.png"
  from_right "$main" "${export_from_right[@]}"
  if notepad=$(await_window 30 'numsift-.*\.txt - Notepad'); then
    pass "导出全部号码 opened Notepad ($(xdotool getwindowname "$notepad"))"
  else
    fail "导出全部号码 opened no Notepad window"
  fi
fi

echo "test-windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
