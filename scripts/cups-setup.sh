#!/usr/bin/env bash
# Makes a CUPS spooler with a PDF queue ready for the printing tests: starts
# cupsd when it is not running (a fresh machine runs no services), points
# cups-pdf at one known output folder and adds the queue. Safe to run again;
# quick when everything is already in place. Needs root.
#
# The tests find the output folder through the "Out" line of cups-pdf.conf.
set -euo pipefail

queue=hakobee-pdf
out_dir=/var/spool/cups-pdf/hakobee
cups_pdf_conf=/etc/cups/cups-pdf.conf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

if [[ $(id -u) -ne 0 ]]; then
  echo "cups-setup: needs root (it configures the system's CUPS spooler)" >&2
  exit 1
fi

# Sets "key value" in cups-pdf.conf, replacing an active or commented-out line.
set_cups_pdf_option() {
  local key=$1 value=$2
  if grep -qE "^${key}[[:space:]]+${value}\$" "$cups_pdf_conf"; then
    return
  fi
  if grep -qE "^${key}[[:space:]]" "$cups_pdf_conf"; then
    sed -i -E "s|^${key}[[:space:]].*|${key} ${value}|" "$cups_pdf_conf"
  else
    printf '%s %s\n' "$key" "$value" >>"$cups_pdf_conf"
  fi
}

# Every job lands in one folder whoever sent it, named "job_<id>-<title>.pdf",
# so a test can tell its own jobs apart and see that each is a job of its own.
set_cups_pdf_option Out "$out_dir"
set_cups_pdf_option Label 1
mkdir -p "$out_dir"
chmod 1777 "$out_dir"

scheduler_running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

if ! scheduler_running; then
  mkdir -p /run/cups
  cupsd
  for _ in $(seq 1 100); do
    scheduler_running && break
    sleep 0.1
  done
  scheduler_running || { echo "cups-setup: cupsd did not start" >&2; exit 1; }
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
  lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd"
fi
cupsenable "$queue"
cupsaccept "$queue"
echo "cups-setup: queue $queue ready, output in $out_dir"
