#!/usr/bin/env bash
# Runs a sound server of its own in a folder until it is told to end (TERM,
# INT or HUP), for the tests: PipeWire with a null sink that plays in real
# time, spoken to through its PulseAudio protocol, as on a Debian desktop,
# with no sound card, no login session and nothing running beforehand.
#
#   scripts/sound_server.sh DIR
#
# Everything it makes stays in DIR: the session bus, the servers' sockets,
# their state and their logs (DIR/*.log). Once the null sink is the default
# output, it writes the address for PULSE_SERVER into DIR/address; when the
# servers do not come up within a bound it prints their logs and exits 1.
# It ends every process it started when it ends, however it ends, and it
# ends when any of them ends or when the process that started it is gone.
set -euo pipefail
dir="$(cd "${1:?usage: sound_server.sh DIR}" && pwd)"
run="$dir/run"
mkdir -p "$run" "$dir/home" "$dir/config/pipewire/pipewire.conf.d" \
  "$dir/config/wireplumber/main.lua.d" "$dir/config/wireplumber/bluetooth.lua.d"
chmod 700 "$run"

# The one output: a null sink, timed by the server's own clock, so what is
# played takes its length and a stream drains right after its last sample.
cat >"$dir/config/pipewire/pipewire.conf.d/null-sink.conf" <<'CONF'
context.objects = [
  { factory = adapter
    args = {
      factory.name   = support.null-audio-sink
      node.name      = "null-sink"
      node.description = "Null output"
      media.class    = "Audio/Sink"
      audio.position = [ FL FR ]
      object.linger  = true
    }
  }
]
CONF
# The session manager leaves the machine's own sound cards, cameras and
# Bluetooth alone: on a desktop the null sink stays the only output.
cat >"$dir/config/wireplumber/main.lua.d/51-no-devices.lua" <<'LUA'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
LUA
cat >"$dir/config/wireplumber/bluetooth.lua.d/51-no-devices.lua" <<'LUA'
bluez_monitor.enabled = false
LUA

# None of the caller's session: the servers find each other in DIR alone.
unset PULSE_SERVER PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR PIPEWIRE_CONFIG_DIR DISPLAY WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$run" HOME="$dir/home" XDG_CONFIG_HOME="$dir/config"
export XDG_STATE_HOME="$dir/home/state" XDG_DATA_HOME="$dir/home/data" XDG_CACHE_HOME="$dir/home/cache"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$run/bus"

parent=$PPID
pids=()
end_servers() {
  trap - EXIT TERM INT HUP
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  # One that does not end within 5 s of being asked is killed.
  for _ in $(seq 50); do
    local left=0 pid
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && left=1; done
    [ "$left" = 0 ] && break
    sleep 0.1
  done
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do wait "${pids[i]}" 2>/dev/null || true; done
}
trap end_servers EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

give_up() {
  echo "The test sound server did not start: $1" >&2
  local log
  for log in "$dir"/*.log; do
    echo "--- ${log##*/}" >&2
    cat "$log" >&2
  done
  exit 1
}

# Waits (at most 10 s) for a socket, giving up at once when the process
# that should make it has ended.
wait_for_socket() {
  local socket="$1" pid="$2" _
  for _ in $(seq 200); do
    [ -S "$socket" ] && return 0
    kill -0 "$pid" 2>/dev/null || give_up "${socket##*/} never came: its server ended"
    sleep 0.05
  done
  give_up "no ${socket##*/} after 10 s"
}

dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" >"$dir/dbus.log" 2>&1 &
pids+=($!)
wait_for_socket "$run/bus" "${pids[-1]}"
pipewire >"$dir/pipewire.log" 2>&1 &
pids+=($!)
# The session manager and the PulseAudio protocol both need the core's
# socket when they start.
wait_for_socket "$run/pipewire-0" "${pids[-1]}"
wireplumber >"$dir/wireplumber.log" 2>&1 &
pids+=($!)
pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
pids+=($!)
wait_for_socket "$run/pulse/native" "${pids[-1]}"

# Streams play in real time only once the session manager has made the null
# sink the default output and links them to it.
address="unix:$run/pulse/native"
for _ in $(seq 200); do
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null || give_up "a server ended"; done
  info="$(LC_ALL=C PULSE_SERVER="$address" pactl info 2>/dev/null || true)"
  if grep -qx 'Default Sink: null-sink' <<<"$info"; then
    echo "$address" >"$dir/address.new"
    mv "$dir/address.new" "$dir/address"
    # Until told to end, until one of the servers ends, or until what
    # started it has gone without a word (killed, crashed).
    while kill -0 "$parent" 2>/dev/null; do
      for pid in "${pids[@]}"; do
        kill -0 "$pid" 2>/dev/null || { echo "The test sound server ended: one of its processes ended." >&2; exit 1; }
      done
      sleep 0.2
    done
    exit 0
  fi
  sleep 0.05
done
LC_ALL=C PULSE_SERVER="$address" pactl info >>"$dir/pactl.log" 2>&1 || true
give_up "the null sink did not become the default output within 10 s"
