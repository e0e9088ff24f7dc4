#!/usr/bin/env bash
# Installs the Debian packages this project needs to build, test and look at
# its output. This is the one place the package list lives; the README, CI
# and every other setup step call it. Quick when everything is already there.
#
#   scripts/deps.sh          build, run and test
#   scripts/deps.sh --bench  additionally what the benchmarks compare against
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang-format git
  # the sanitizer build and the fuzz targets: clang with its sanitizer and
  # libFuzzer runtimes, llvm-symbolizer for readable reports
  clang libclang-rt-14-dev llvm
  # the program's icon (SVG to PNG at build time); the Debian package
  librsvg2-bin dpkg-dev
  # Qt 6: widgets, printing, tests
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Access files, SQL, barcodes, Shift-JIS
  mdbtools mdbtools-dev libsqlite3-dev libzint-dev libicu-dev
  # PostgreSQL product masters: the client library, and the server the
  # tests start in a temporary folder
  libpq-dev postgresql
  # Excel workbooks: the .xlsx container through libzip (its XML through
  # Qt), old .xls files through FreeXL; the tests and benchmarks write their
  # .xlsx files with libxlsxwriter
  libzip-dev libfreexl-dev libxlsxwriter-dev
  # ODBC data sources: the unixODBC driver manager, and PostgreSQL's ODBC
  # driver that the tests reach the same server through
  unixodbc unixodbc-dev odbc-postgresql
  # label PDFs: cairo writes them; fontconfig and FreeType find and read the fonts
  libcairo2-dev libfontconfig-dev libfreetype-dev
  # locale sources: the label tests run under English and Japanese locales
  locales
  # Japanese fonts for screens and labels
  fonts-noto-cjk fonts-ipafont-gothic fontconfig
  # real printing in tests: a CUPS spooler with a PDF queue, and CUPS's own
  # thermal-label drivers (sample.drv: Zebra ZPL) with the filters that
  # rasterise PDF for them (Ghostscript)
  cups cups-client cups-bsd cups-ppdc cups-filters ghostscript printer-driver-cups-pdf libcups2-dev
  # looking and checking: screenshots, PDF to PNG and text, barcode decoding
  xvfb xauth poppler-utils zbar-tools
  # checking the installed package: desktop entry and manual page
  desktop-file-utils groff-base
  # second reader of the test databases (mdb-reader from the npm registry)
  nodejs npm
)

if [[ "${1:-}" == "--bench" ]]; then
  packages+=(glabels time bc)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    # node and npm may come with the machine outside Debian's packages
    if [[ "$p" == nodejs && -x "$(command -v node)" ]] || [[ "$p" == npm && -x "$(command -v npm)" ]]; then
      continue
    fi
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
