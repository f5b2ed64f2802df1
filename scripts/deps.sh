# Sourced by run.sh and test.sh: makes sure the Debian packages Plotix builds with are there.
PLOTIX_PACKAGES="qt6-base-dev qt6-svg-dev librsvg2-bin fonts-dejavu-core fonts-liberation libgtest-dev libbenchmark-dev libmuparser-dev poppler-utils cmake g++"

plotix_install_deps() {
  local missing=()
  for p in $PLOTIX_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Plotix needs these Debian packages. Install them as root with:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
