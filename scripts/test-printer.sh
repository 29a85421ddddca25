#!/usr/bin/env bash
# A private CUPS server for tests and benchmarks, never the machine's own printers.
#   test-printer.sh start <dir> [queue]   starts cupsd on 127.0.0.1 at a free port with one queue
#                                          that writes each job to <dir>/out/job.pdf, and prints
#                                          "CUPS_SERVER=127.0.0.1:<port>" for the caller to export
#   test-printer.sh stop <dir>            stops it
set -euo pipefail

command=${1:-}
dir=${2:-}
queue=${3:-storyloom-test}
[ -n "$command" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop <dir> [queue]" >&2; exit 2; }

stop() {
  if [ -f "$dir/cupsd.pid" ]; then
    local pid
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/cupsd.pid"
  fi
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

start() {
  mkdir -p "$dir"/{spool,cache,state,log,out,ppd,serverroot/ppd}
  dir=$(cd "$dir" && pwd)
  stop
  local port
  port=$(free_port)
  # Jobs run as the unprivileged lp user; it must be able to write the output folder.
  chmod 777 "$dir/out"
  chmod 755 "$dir"
  cat >"$dir/serverroot/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Location /admin>
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow from 127.0.0.1
  </Limit>
</Policy>
CONF
  cat >"$dir/serverroot/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $dir/serverroot
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/spool
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
  # Detached from the caller's output, which may be a pipe that waits for its end.
  cupsd -f -c "$dir/serverroot/cupsd.conf" -s "$dir/serverroot/cups-files.conf" </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/cupsd.pid"
  local server="127.0.0.1:$port"
  # Up to a minute: a loaded machine may take that long to start it.
  for _ in $(seq 600); do
    if CUPS_SERVER=$server lpstat -r 2>/dev/null | grep -q "is running"; then break; fi
    sleep 0.1
  done
  CUPS_SERVER=$server lpadmin -p "$queue" -E -v "file://$dir/out/job.pdf" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
  CUPS_SERVER=$server lpadmin -d "$queue"
  echo "CUPS_SERVER=$server"
}

case "$command" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop <dir> [queue]" >&2; exit 2 ;;
esac
