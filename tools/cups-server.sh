#!/usr/bin/env bash
# Starts and stops a private CUPS server for the printing tests: its own configuration, spool and logs
# in DIR, listening only on the socket DIR/cups.sock (clients reach it with CUPS_SERVER=DIR/cups.sock),
# with one cups-pdf queue, "ListrelPDF", as the default printer. Job files are preserved after a job
# completes, so a test can read what the queue received. The machine's own CUPS set-up is not touched.
#   tools/cups-server.sh start DIR    tools/cups-server.sh stop DIR
set -euo pipefail

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
dir=$(realpath -m "$2")
queue=ListrelPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

fail() { echo "cups-server: $*" >&2; exit 1; }

# cups-pdf writes the jobs of users unknown to the system (as the tests print) here.
anonymous=/var/spool/cups-pdf/ANONYMOUS

stop() {
    [ -f "$dir/cupsd.pid" ] || return 0
    local pid
    pid=$(cat "$dir/cupsd.pid")
    if kill "$pid" 2>/dev/null; then
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    # What cups-pdf made of this server's jobs: "<title>-job_<n>.pdf", written since the server started.
    local data id
    for data in "$dir"/spool/d[0-9]*-001; do
        [ -e "$data" ] || continue
        id=$(basename "$data" | sed 's/^d0*\([0-9][0-9]*\)-001$/\1/')
        find "$anonymous" -maxdepth 1 -name "*-job_$id.pdf" -newer "$dir/cupsd.pid" -delete 2>/dev/null || true
    done
    rm -f "$dir/cupsd.pid"
}

start() {
    command -v cupsd >/dev/null || fail "cupsd is not installed (run tools/setup.sh)"
    command -v lpadmin >/dev/null || fail "lpadmin is not installed (run tools/setup.sh)"
    [ -f "$ppd" ] || fail "the cups-pdf driver is not installed ($ppd is missing; run tools/setup.sh)"
    [ "$(id -u)" -eq 0 ] || fail "cupsd must run as root to start the cups-pdf backend"
    stop
    rm -rf "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/etc"
    mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" "$dir/log" "$dir/etc/ppd" "$dir/etc/ssl"
    # The filters run as lp: they read the spooled jobs and write temporary files.
    chgrp lp "$dir/spool" "$dir/spool/tmp" "$dir/cache" && chmod 0770 "$dir/spool" "$dir/spool/tmp" "$dir/cache"
    chmod 0755 "$dir" "$dir/etc"
    cat > "$dir/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
PreserveJobHistory Yes
PreserveJobFiles Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
    cat > "$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
CONF
    cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
    echo $! > "$dir/cupsd.pid"
    export CUPS_SERVER="$dir/cups.sock"
    # lpstat -r exits 0 also while the scheduler is not up yet: read what it says.
    answers() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
    for _ in $(seq 100); do
        answers && break
        kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || fail "cupsd ended at start: $(cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null)"
        sleep 0.1
    done
    answers || { stop; fail "cupsd does not answer on $CUPS_SERVER: $(cat "$dir/log/error_log" 2>/dev/null)"; }
    lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" || { stop; fail "cannot add the $queue queue"; }
    lpadmin -d "$queue" || { stop; fail "cannot make $queue the default printer"; }
    echo "CUPS server on $CUPS_SERVER, default printer $queue"
}

case "$action" in
start) start ;;
stop) stop ;;
*) usage ;;
esac
