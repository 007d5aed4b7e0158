#!/usr/bin/env bash
# uidriver.exe as the demo scripts use it, against the fixture window: one run per command,
# the target found again by window class and process each time.
#   uidriver_cli_test.sh <wine-run> <uidriver.exe> <fixture_window.exe>
set -uo pipefail
wine_run=$1 uidriver=$2 fixture=$3
failures=0

u() { "$wine_run" "$uidriver" "$@"; }

# expect <description> <expected output> <command...>
expect() {
  local what=$1 expected=$2 actual
  shift 2
  actual=$("$@" 2>&1)
  if [ "$actual" != "$expected" ]; then
    echo "FAILED: $what: expected [$expected], got [$actual]"
    failures=$((failures + 1))
  fi
}

# expect_status <description> <status> <command...>
expect_status() {
  local what=$1 expected=$2
  shift 2
  "$@" >/dev/null 2>&1
  local status=$?
  if [ "$status" -ne "$expected" ]; then
    echo "FAILED: $what: exit status $status, expected $expected"
    failures=$((failures + 1))
  fi
}

pid=$(u --env CW_FIXTURE_GREETING=Salut start "$fixture" "deux mots" été)
if ! [[ "$pid" =~ ^[0-9]+$ ]]; then
  echo "FAILED: start printed [$pid], not a process id"
  exit 1
fi
w=(--class CwFixtureWindow --pid "$pid")

expect_status "wait-window" 0 u --pid "$pid" wait-window CwFixtureWindow 30000
expect "arguments" "deux mots|été" u "${w[@]}" text LArgs
expect "environment" "Salut" u "${w[@]}" text LEnv
expect "plain text" $'Bienvenue\nRéseau Quorvale' u "${w[@]}" text HTML_Text
expect "state" "visible disabled" u "${w[@]}" state BPrevious
expect_status "click on a disabled button" 1 u "${w[@]}" click BPrevious
expect_status "unknown control" 1 u "${w[@]}" text BAbsent
expect_status "unknown command" 2 u "${w[@]}" jump BNext

expect_status "click" 0 u "${w[@]}" click BNext
expect_status "wait-text" 0 u "${w[@]}" wait-text LTitlePage "Page 2" 10000
expect_status "set-text" 0 u "${w[@]}" set-text EditKey "clé"
expect_status "type" 0 u "${w[@]}" type EditKey " 42"
expect_status "typed text arrives" 0 u "${w[@]}" wait-text EditKey "clé 42" 10000
expect "items" $'Quorvale-1A2B\nVoisin\nQuorvale-9F3C été' u "${w[@]}" items ListAP
expect_status "select" 0 u "${w[@]}" select ListAP 1
expect_status "selection notified" 0 u "${w[@]}" wait-text LSelection Voisin 10000
dump=$(u "${w[@]}" dump)
[[ "$dump" == *"ListAP"*"items=[Quorvale-1A2B; Voisin; Quorvale-9F3C été] selected=1"* ]] ||
  { echo "FAILED: dump: $dump"; failures=$((failures + 1)); }

shot=$(mktemp --suffix=.bmp)
expect_status "screenshot" 0 u "${w[@]}" screenshot "$shot"
[ "$(head -c 2 "$shot")" = "BM" ] || { echo "FAILED: screenshot is no BMP"; failures=$((failures + 1)); }
rm -f "$shot"

expect "cancel ends the program" "exit 3" u "${w[@]}" --wait-exit 10000 click BCancel
expect_status "no window left" 0 u wait-no-window CwFixtureWindow 10000

[ "$failures" -eq 0 ] || u --pid "$pid" kill >/dev/null 2>&1
exit $((failures > 0))
