#!/usr/bin/env bash
# Starts and stops a private CUPS scheduler whose one queue turns each job into a PDF file in a folder.
#
#   cups-session.sh start DIR   start it; prints CUPS_SERVER=... and VELMOR_CUPS_OUTDIR=... lines
#   cups-session.sh stop DIR    stop it (DIR and the PDF files stay)
#
# Everything lives under DIR: configuration, spool, cache, state, logs, the domain socket and the out
# folder. The scheduler listens on that socket only (no TCP port) and never reads or writes the
# system's /etc/cups, /run/cups or /var/spool/cups, so a system scheduler may run beside it or not.
#
# The queue is the default destination. Its driver is the generic PDF driver from cups-filters, changed
# to take PDF as it comes: a PDF job (which is what Qt sends) reaches the backend byte for byte, with
# the page size, scale and colours its program chose; no PJL wrapper, no refitting onto the queue's
# default paper, and copies are not multiplied (the .info file records the number asked for). Other
# document types are turned into PDF by the usual cups-filters first.
#
# A small backend of its own makes every job land as its own file, out/job-NNNNN.pdf (NNNNN is the job
# id, zero-padded so names sort in job order), with out/job-NNNNN.info beside it (job, user, title,
# copies, options, one key=value a line). The backend writes both under hidden names and renames them
# when complete, the .info first, so a visible .pdf is always whole and its .info already there.
set -euo pipefail

readonly QUEUE=velmor-pdf
readonly BACKEND=velmorpdf
readonly PPD_SOURCE=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
readonly CUPS_LIB=/usr/lib/cups

die() {
    echo "cups-session: $*" >&2
    exit 1
}

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}

# Prints the scheduler's process id if the one started for DIR is still running.
running_pid() {
    local dir=$1 pid command_line
    [[ -r $dir/cupsd.pid ]] || return 1
    pid=$(<"$dir/cupsd.pid")
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    # The id must still belong to our scheduler, not to a process that reused it.
    command_line=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) || return 1
    [[ $command_line == *"$dir/conf/cupsd.conf"* ]] || return 1
    echo "$pid"
}

write_files_conf() {
    local dir=$1 user group system_group
    if ((EUID == 0)); then
        # Filters then run as lp, as with the system scheduler; the backend runs as root (mode 0700).
        user=lp group=lp system_group=root
    else
        user=$(id -un) group=$(id -gn) system_group=$(id -gn)
    fi
    cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
ServerBin $dir/bin
ServerKeychain $dir/conf/ssl
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/state/printcap
User $user
Group $group
SystemGroup $system_group
FileDevice No
EOF
}

write_cupsd_conf() {
    local dir=$1
    cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
MaxLogSize 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
}

# The generic PDF driver, less its PJL job wrapper, accepting PDF itself as the printer's language.
write_ppd() {
    local dir=$1
    sed -e '/^\*JCLBegin:/d' -e '/^\*JCLToPDFInterpreter:/d' -e '/^\*JCLEnd:/d' \
        -e 's|^\*cupsFilter:.*|*cupsFilter: "application/pdf 0 -"|' \
        "$PPD_SOURCE" >"$dir/conf/$QUEUE-source.ppd"
    grep -q '^\*cupsFilter: "application/pdf 0 -"' "$dir/conf/$QUEUE-source.ppd" ||
        die "$PPD_SOURCE has no cupsFilter line to change"
}

# The backend: argv is job-id user title copies options [file]; with no arguments it lists its device.
write_backend() {
    local dir=$1
    cat >"$dir/bin/backend/$BACKEND" <<'EOF'
#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct velmorpdf "Unknown" "PDF files in a folder"'
    exit 0
fi
if [ $# -lt 5 ]; then
    echo "Usage: velmorpdf job-id user title copies options [file]" >&2
    exit 1
fi
out=${DEVICE_URI#velmorpdf:}
name=$(printf 'job-%05d' "$1")
part="$out/.$name.part"
if [ $# -ge 6 ]; then
    cat -- "$6" >"$part" || exit 1
else
    cat >"$part" || exit 1
fi
chmod 0644 "$part"
printf 'job=%s\nuser=%s\ntitle=%s\ncopies=%s\noptions=%s\n' "$1" "$2" "$3" "$4" "$5" >"$out/.$name.info"
chmod 0644 "$out/.$name.info"
mv -f "$out/.$name.info" "$out/$name.info"
mv -f "$part" "$out/$name.pdf"
echo "INFO: wrote $out/$name.pdf" >&2
exit 0
EOF
    chmod 0700 "$dir/bin/backend/$BACKEND"
}

# When root, filters run as lp: every folder above DIR must let lp through, or jobs fail later
# with a message only in the error log.
check_reachable_by_lp() {
    local dir=$1
    ((EUID == 0)) || return 0
    setpriv --reuid=lp --regid=lp --clear-groups test -x "$dir" ||
        die "$dir is not reachable by user lp, who runs the print filters; put it under /tmp"
}

wait_for_scheduler() {
    local dir=$1 pid=$2 i
    for ((i = 0; i < 150; i++)); do
        # lpstat -r exits 0 either way; only its words tell.
        if [[ $(lpstat -h "$dir/cups.sock" -r 2>/dev/null) == "scheduler is running" ]]; then
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            tail -n 30 "$dir/log/error_log" "$dir/log/cupsd.out" >&2 2>/dev/null || true
            die "cupsd exited during start-up"
        fi
        sleep 0.1
    done
    die "cupsd did not answer on $dir/cups.sock within 15 s"
}

# lpadmin warns on stderr that drivers are deprecated; show its words only when it fails.
admin() {
    local dir=$1 words
    shift
    words=$(lpadmin -h "$dir/cups.sock" "$@" 2>&1) ||
        die "lpadmin $* failed: $words (see $dir/log/error_log)"
}

# The driver's colour choices carry names CUPS does not map, so the queue would announce monochrome
# to programs that ask; it is set to colour explicitly.
add_queue() {
    local dir=$1
    admin "$dir" -p "$QUEUE" -E -v "$BACKEND:$dir/out" -P "$dir/conf/$QUEUE-source.ppd" \
        -D "PDF files in $dir/out" -o printer-is-shared=false -o print-color-mode-default=color
    admin "$dir" -d "$QUEUE"
}

start() {
    local dir=$1 pid sub
    if running_pid "$dir" >/dev/null; then
        die "a scheduler already runs for $dir"
    fi
    [[ -r $PPD_SOURCE ]] || die "$PPD_SOURCE is missing (package cups-filters)"
    command -v cupsd >/dev/null || die "cupsd is missing (package cups-daemon)"
    command -v lpadmin >/dev/null || die "lpadmin is missing (package cups-client)"

    mkdir -p "$dir"/{conf/ppd,conf/ssl,bin/backend,spool/tmp,cache,state,log,out}
    if ((EUID == 0)); then
        chmod 0755 "$dir" "$dir/bin" "$dir/bin/backend" "$dir/out"
    fi
    check_reachable_by_lp "$dir"
    for sub in cgi-bin daemon driver filter monitor notifier; do
        ln -sfn "$CUPS_LIB/$sub" "$dir/bin/$sub"
    done
    write_backend "$dir"
    write_ppd "$dir"
    write_files_conf "$dir"
    write_cupsd_conf "$dir"

    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/cupsd.pid"
    # From here on a failed start must not leave the scheduler behind.
    # shellcheck disable=SC2064 # the folder is fixed now, while it is known
    trap "stop $(printf %q "$dir")" EXIT
    wait_for_scheduler "$dir" "$pid"
    add_queue "$dir"
    trap - EXIT

    echo "CUPS_SERVER=$dir/cups.sock"
    echo "VELMOR_CUPS_OUTDIR=$dir/out"
}

stop() {
    local dir=$1 pid i
    pid=$(running_pid "$dir") || {
        rm -f "$dir/cupsd.pid"
        return 0
    }
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/cupsd.pid"
}

(($# == 2)) || usage
mkdir -p "$2"
dir=$(cd "$2" && pwd -P)
case $1 in
start) start "$dir" ;;
stop) stop "$dir" ;;
*) usage ;;
esac
