#!/usr/bin/env bash
# Runs tovu2. Installs what is missing (Debian 12), builds the program in Release in its own
# build folder, and gives it an instrument as COM 1:
#   bash scripts/run.sh                  # the simulated instrument on a pseudo-terminal
#   bash scripts/run.sh /dev/ttyUSB0     # the instrument on that serial device
# Further arguments go to the program (for example /Z, the service switch).
# COM 1 is mapped through the settings store ("Ports"/"COM1"); the mapping the user had
# before is put back when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD=${TOVU_RUN_BUILD_DIR:-build-release}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVU_BUILD_TESTS=OFF -DTOVU_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target tovu2 instrument-sim --parallel "$(nproc)"
BIN="$BUILD/bin"

SETTINGS_DIR=${TOVU_SETTINGS_DIR:-${XDG_CONFIG_HOME:-$HOME/.config}/tovu/settings}
SETTINGS_FILE="$SETTINGS_DIR/tovu.ini"

# Reads or writes one key of the settings store (section and key without regard to case,
# as the program matches them); "--unset" removes it.
setting() {
  python3 - "$SETTINGS_FILE" "$@" <<'PY'
import configparser, os, sys
path, section, key = sys.argv[1:4]
value = sys.argv[4] if len(sys.argv) > 4 else None
cp = configparser.ConfigParser(interpolation=None, delimiters=("=",))
cp.optionxform = str
cp.read(path)
sec = next((s for s in cp.sections() if s.lower() == section.lower()), None)
name = next((k for k in cp[sec] if k.lower() == key.lower()), None) if sec else None
if value is None:
    print(cp[sec][name] if name else "", end="")
    sys.exit(0)
if value == "--unset":
    if name:
        cp.remove_option(sec, name)
else:
    if not sec:
        sec = section
        cp.add_section(sec)
    cp[sec][name or key] = value
os.makedirs(os.path.dirname(path), exist_ok=True)
with open(path + ".tmp", "w") as f:
    cp.write(f, space_around_delimiters=False)
os.replace(path + ".tmp", path)
PY
}

DEVICE=""
if [ $# -gt 0 ] && [[ "$1" == /dev/* ]]; then
  DEVICE=$1
  shift
fi

SIM_PID=""
PREVIOUS=$(setting Ports COM1)
restore() {
  if [ -n "$SIM_PID" ]; then
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
  fi
  if [ -n "$PREVIOUS" ]; then setting Ports COM1 "$PREVIOUS"; else setting Ports COM1 --unset; fi
}
trap restore EXIT

if [ -z "$DEVICE" ]; then
  RUNTIME=${XDG_RUNTIME_DIR:-/tmp}
  LINK="$RUNTIME/tovu-sim-com1-$$"
  "$BIN/instrument-sim" --link "$LINK" >/dev/null &
  SIM_PID=$!
  for _ in $(seq 50); do
    [ -e "$LINK" ] && break
    sleep 0.1
  done
  [ -e "$LINK" ] || { echo "the simulated instrument did not start" >&2; exit 1; }
  DEVICE=$LINK
  echo "Simulated instrument on $(readlink "$LINK") as COM 1"
fi

setting Ports COM1 "$DEVICE"
setting Com Port 1
"$BIN/tovu2" "$@"
