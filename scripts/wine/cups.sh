# A PDF printer for the printing scenarios: CUPS with cups-pdf, whose output
# folder we choose. Source this file, then:
#
#   flk_cups_up OUTDIR     # make sure cupsd runs (start it when none does),
#                          # add the printer TestPDF as the default printer,
#                          # write its PDFs into OUTDIR
#   flk_pdf_raster_start   # background loop: every finished OUTDIR/X.pdf gets
#                          # X.txt (pdftotext), X.png (pdftoppm -r 72 -png) and X.bmp beside it
#   flk_cups_down          # undo all of it: the raster loop, the printer, the
#                          # cups-pdf output setting, and the cupsd we started
#
# A cupsd that was already running is used and left running; only one that
# flk_cups_up started itself (its own PID) is stopped. /etc/cups/cups-pdf.conf
# is shared by the whole machine, so one run at a time holds it (a lock) and
# its original text comes back at the end.
#
# The packages come from scripts/setup.sh (cups cups-client cups-bsd
# printer-driver-cups-pdf poppler-utils); when one is missing and we are root,
# flk_cups_up installs them, otherwise it fails.

FLK_CUPS_PACKAGES=(cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils)
FLK_CUPS_PRINTER=TestPDF
FLK_CUPS_CONF=${FLK_CUPS_CONF:-/etc/cups/cups-pdf.conf}
FLK_CUPS_LOCK=${FLK_CUPS_LOCK:-/tmp/framelark-cups.lock}
FLK_CUPSD_PID=
FLK_CUPS_CONF_SAVED=
FLK_CUPS_ADDED_PRINTER=0
FLK_CUPS_OLD_DEFAULT=
FLK_CUPS_LOCK_FD=
FLK_RASTER_PID=
FLK_CUPS_OUT=

flk_cups_log() { echo "[cups] $*" >&2; }

flk_cups_tools_present() {
  [[ -x /usr/sbin/cupsd && -x /usr/lib/cups/backend/cups-pdf ]] &&
    command -v lpstat >/dev/null && command -v lpadmin >/dev/null && command -v pdftoppm >/dev/null
}

flk_cups_ensure_packages() {
  flk_cups_tools_present && return 0
  if [[ $(id -u) != 0 ]]; then
    flk_cups_log "CUPS or cups-pdf missing; install: ${FLK_CUPS_PACKAGES[*]}"
    return 1
  fi
  flk_cups_log "installing ${FLK_CUPS_PACKAGES[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -q install -y --no-install-recommends \
    "${FLK_CUPS_PACKAGES[@]}" >&2 || return 1
  flk_cups_tools_present
}

flk_cups_scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

# Waits up to $1 seconds for the scheduler to answer.
flk_cups_wait_scheduler() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    flk_cups_scheduler_running && return 0
    if [[ -n $FLK_CUPSD_PID ]] && ! kill -0 "$FLK_CUPSD_PID" 2>/dev/null; then
      return 1
    fi
    sleep 0.1
  done
  return 1
}

# Sets "Out DIR" in cups-pdf.conf, keeping the original text for flk_cups_down.
flk_cups_set_out() {
  local dir=$1 tmp
  if [[ -z $FLK_CUPS_CONF_SAVED ]]; then
    FLK_CUPS_CONF_SAVED=$(mktemp /tmp/framelark-cups-pdf.conf.XXXXXX)
    cp -p "$FLK_CUPS_CONF" "$FLK_CUPS_CONF_SAVED" || return 1
  fi
  tmp=$(mktemp /tmp/framelark-cups-pdf.new.XXXXXX)
  if grep -qE '^[[:space:]]*Out[[:space:]]' "$FLK_CUPS_CONF"; then
    sed -E "s|^[[:space:]]*Out[[:space:]].*$|Out $dir|" "$FLK_CUPS_CONF" >"$tmp"
  else
    { cat "$FLK_CUPS_CONF"; echo "Out $dir"; } >"$tmp"
  fi
  # Same owner and mode as before; cat keeps the inode.
  cat "$tmp" >"$FLK_CUPS_CONF"
  rm -f "$tmp"
}

flk_cups_up() {
  local out=$1
  [[ -n $out ]] || { flk_cups_log "flk_cups_up: no output folder"; return 1; }
  flk_cups_ensure_packages || return 1
  mkdir -p "$out" || return 1
  out=$(cd "$out" && pwd)
  FLK_CUPS_OUT=$out

  exec {FLK_CUPS_LOCK_FD}>"$FLK_CUPS_LOCK"
  if ! flock -w 900 "$FLK_CUPS_LOCK_FD"; then
    flk_cups_log "another run keeps the printer for too long"
    return 1
  fi

  flk_cups_set_out "$out" || { flk_cups_log "cannot write $FLK_CUPS_CONF"; return 1; }

  if ! flk_cups_scheduler_running; then
    /usr/sbin/cupsd -f >"$out/cupsd.log" 2>&1 &
    FLK_CUPSD_PID=$!
    if ! flk_cups_wait_scheduler 20; then
      flk_cups_log "cupsd did not answer: $(tail -3 "$out/cupsd.log" 2>/dev/null)"
      return 1
    fi
    flk_cups_log "cupsd started (PID $FLK_CUPSD_PID)"
  else
    flk_cups_log "using the running cupsd"
  fi

  FLK_CUPS_OLD_DEFAULT=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  if ! lpstat -p "$FLK_CUPS_PRINTER" >/dev/null 2>&1; then
    lpadmin -p "$FLK_CUPS_PRINTER" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ||
      { flk_cups_log "lpadmin could not add $FLK_CUPS_PRINTER"; return 1; }
    FLK_CUPS_ADDED_PRINTER=1
  fi
  lpadmin -d "$FLK_CUPS_PRINTER" || { flk_cups_log "lpadmin could not make $FLK_CUPS_PRINTER the default"; return 1; }
  export FLK_CUPS_OUT
  flk_cups_log "printer $FLK_CUPS_PRINTER writes into $out"
}

# One PDF to pixels: X.pdf -> X.png (72 dpi, first page) -> X.bmp.
flk_pdf_raster_one() {
  local pdf=$1 base=${1%.pdf}
  pdftotext -layout "$pdf" "$base.txt" 2>/dev/null || return 1
  pdftoppm -r 72 -png -singlefile "$pdf" "$base.raster" 2>/dev/null || return 1
  mv -f "$base.raster.png" "$base.png"
  convert "$base.png" BMP3:"$base.bmp.part" 2>/dev/null || return 1
  mv -f "$base.bmp.part" "$base.bmp"
}

# Background loop over the output folder. A PDF is taken once its size has
# stopped changing and it ends with its %%EOF marker.
flk_pdf_raster_start() {
  local dir=${1:-$FLK_CUPS_OUT}
  (
    declare -A size_seen
    while :; do
      for pdf in "$dir"/*.pdf; do
        [[ -f $pdf ]] || continue
        [[ -f ${pdf%.pdf}.bmp ]] && continue
        local size
        size=$(stat -c %s "$pdf" 2>/dev/null) || continue
        if [[ ${size_seen[$pdf]:-} == "$size" ]] && tail -c 32 "$pdf" | grep -q '%%EOF'; then
          flk_pdf_raster_one "$pdf" || flk_cups_log "could not rasterise $pdf"
        fi
        size_seen[$pdf]=$size
      done
      sleep 0.2
    done
  ) &
  FLK_RASTER_PID=$!
}

flk_cups_down() {
  if [[ -n $FLK_RASTER_PID ]]; then
    kill "$FLK_RASTER_PID" 2>/dev/null
    wait "$FLK_RASTER_PID" 2>/dev/null
    FLK_RASTER_PID=
  fi
  if flk_cups_scheduler_running; then
    if ((FLK_CUPS_ADDED_PRINTER)); then
      lpadmin -x "$FLK_CUPS_PRINTER" 2>/dev/null
      FLK_CUPS_ADDED_PRINTER=0
    fi
    if [[ -n $FLK_CUPS_OLD_DEFAULT && $FLK_CUPS_OLD_DEFAULT != "$FLK_CUPS_PRINTER" ]]; then
      lpadmin -d "$FLK_CUPS_OLD_DEFAULT" 2>/dev/null
    fi
  fi
  FLK_CUPS_OLD_DEFAULT=
  if [[ -n $FLK_CUPSD_PID ]]; then
    kill "$FLK_CUPSD_PID" 2>/dev/null
    wait "$FLK_CUPSD_PID" 2>/dev/null
    flk_cups_log "cupsd stopped (PID $FLK_CUPSD_PID)"
    FLK_CUPSD_PID=
  fi
  if [[ -n $FLK_CUPS_CONF_SAVED ]]; then
    cat "$FLK_CUPS_CONF_SAVED" >"$FLK_CUPS_CONF" 2>/dev/null
    rm -f "$FLK_CUPS_CONF_SAVED"
    FLK_CUPS_CONF_SAVED=
  fi
  if [[ -n $FLK_CUPS_LOCK_FD ]]; then
    exec {FLK_CUPS_LOCK_FD}>&-
    FLK_CUPS_LOCK_FD=
  fi
  return 0
}
