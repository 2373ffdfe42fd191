#!/usr/bin/env bash
# e2e/session.sh start|stop: the display and Wine prefix shared by the cases of one test run
# (the CTest fixture calls it before the first case and after the last one).
set -uo pipefail
source "$(dirname "$0")/lib.sh"

case "${1:-}" in
  start) gw_session_start || { gw_session_stop; exit 1; } ;;
  stop) gw_session_stop ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
