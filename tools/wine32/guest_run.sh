#!/bin/bash
# Runs inside the wine32 helper VM (started by vm_init). Reads the job from
# $QW32_JOB (argv, cwd, env written by ./run on the host), runs it under the
# guest's 32-bit wine with an Xvfb display, and writes stdout, stderr and the
# exit code back into the job folder, which is shared with the host.
job=$QW32_JOB
exec 2>"$job/guest.log"
set -x
set -u

# wineserver and X need sockets, which a 9p folder cannot hold: give them
# guest-local tmpfs folders in the places wine and X look for them.
uid=$QW32_UID gid=$QW32_GID
for d in /tmp/.X11-unix "/tmp/.wine-$uid"; do
  mkdir -p "$d" && mount -t tmpfs -o mode=1777 tmpfs "$d"
done
chown "$uid:$gid" "/tmp/.wine-$uid"; chmod 700 "/tmp/.wine-$uid"
export HOME=/run/home; mkdir -p "$HOME"; chown "$uid:$gid" "$HOME"

as_caller() {
  if [ "$uid" = 0 ]; then "$@"; else setpriv --reuid="$uid" --regid="$gid" --clear-groups -- "$@"; fi
}

as_caller Xvfb :0 -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
for _ in $(seq 200); do [ -S /tmp/.X11-unix/X0 ] && break; sleep 0.05; done
export DISPLAY=:0

mapfile -d '' argv <"$job/argv"
# shellcheck source=/dev/null
. "$job/env"
cd "$(cat "$job/cwd")" 2>/dev/null || cd /
as_caller /usr/lib/wine/wine "${argv[@]}" <"$job/stdin" >"$job/stdout" 2>"$job/stderr"
rc=$?
findmnt >&2; ls -laR /tmp/.wine-0 >&2
as_caller /usr/lib/wine/wineserver -k 2>/dev/null
echo "$rc" >"$job/rc.tmp" && mv "$job/rc.tmp" "$job/rc"
sync
