#!/bin/bash
# Runs inside the wine32 helper VM (started by vm_init). Reads the job from
# $QW32_JOB (argv, cwd, env written by ./run on the host), runs it under the
# guest's 32-bit wine with an Xvfb display, and writes stdout, stderr and the
# exit code back into the job folder, which is shared with the host.
job=$QW32_JOB
exec 2>"$job/guest.log"
[ "${QW32_TRACE:-}" = 1 ] && set -x
set -u

# wineserver and X need sockets, which a 9p folder cannot hold: X gets a
# guest-local tmpfs on its socket folder, and Debian's wineserver puts its
# socket folder under $TMPDIR, which points at guest-local /run.
uid=$QW32_UID gid=$QW32_GID
mkdir -p /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
export TMPDIR=/run/tmp HOME=/run/home
mkdir -p "$TMPDIR" "$HOME" && chown "$uid:$gid" "$TMPDIR" "$HOME"

as_caller() {
  if [ "$uid" = 0 ]; then "$@"; else setpriv --reuid="$uid" --regid="$gid" --clear-groups -- "$@"; fi
}

as_caller Xvfb :0 -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
for _ in $(seq 200); do [ -S /tmp/.X11-unix/X0 ] && break; sleep 0.05; done
export DISPLAY=:0

mapfile -d '' argv <"$job/argv"
# shellcheck source=/dev/null
. "$job/env"
# A new prefix is made 32-bit only (half the set-up work of a wow64 one), and
# without the Mono and Gecko installers, whose download prompts would wait on
# the invisible display until the timeout.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=" as_caller /usr/lib/wine/wine wineboot.exe --init >/dev/null 2>&1
  as_caller /usr/lib/wine/wineserver -w
fi
cd "$(cat "$job/cwd")" 2>/dev/null || cd /
as_caller /usr/lib/wine/wine "${argv[@]}" <"$job/stdin" >"$job/stdout" 2>"$job/stderr"
rc=$?
as_caller /usr/lib/wine/wineserver -k 2>/dev/null
echo "$rc" >"$job/rc.tmp" && mv "$job/rc.tmp" "$job/rc"
sync
