#!/bin/bash
# Runs inside the wine32 helper VM (started by vm_init). Reads the job from
# $QW32_JOB (written by ./run on the host): env, and per command N the files
# N.argv (NUL-separated) and N.cwd. Runs each command under the guest's 32-bit
# wine with an Xvfb display and writes N.stdout, N.stderr and N.rc back into
# the job folder, which is shared with the host.
job=$QW32_JOB
exec 2>"$job/guest.log"
[ "${QW32_TRACE:-}" = 1 ] && set -x
set -u

stamp() { echo "wine32-vm: $(cut -d' ' -f1 /proc/uptime) s: $*" >&2; }
stamp "guest script started; cpu flags: $(grep -m1 ^flags /proc/cpuinfo | grep -o -w "sse2\|ssse3\|sse4_2\|avx\|avx2\|fma\|avx512f" | tr "\n" " ")"

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

# -nolock: the lock file would land in the host's /tmp, where a stale one
# from an earlier VM (or the host's own display :0) stops the server.
as_caller Xvfb :0 -nolock -nolisten tcp -screen 0 1024x768x24 >"$TMPDIR/xvfb.log" 2>&1 &
xvfb=$!
until [ -S /tmp/.X11-unix/X0 ]; do
  kill -0 "$xvfb" 2>/dev/null || { cat "$TMPDIR/xvfb.log" >&2; stamp "Xvfb failed"; break; }
  sleep 0.2
done
export DISPLAY=:0
stamp "Xvfb up"

# shellcheck source=/dev/null
. "$job/env"
# The prefix lives on guest-local tmpfs: over 9p its thousands of small
# writes are what made set-up take many minutes. It is unpacked from the tar
# that ./run keeps on the host (QW32_PREFIX_TAR); without one it is made
# here and packed into the job folder for ./run to keep.
export WINEPREFIX=/run/wine-prefix32
mkdir -p "$WINEPREFIX" && chown "$uid:$gid" "$WINEPREFIX"
if [ -n "${QW32_PREFIX_TAR:-}" ]; then
  as_caller tar -xf "$QW32_PREFIX_TAR" -C "$WINEPREFIX"
  stamp "prefix unpacked"
else
  # 32-bit only (half the set-up work of a wow64 prefix), and without the Mono
  # and Gecko installers, whose download prompts would wait on the invisible
  # display until the timeout.
  WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" \
    as_caller /usr/lib/wine/wine wineboot.exe --init >"$job/prefix.log" 2>&1
  as_caller /usr/lib/wine/wineserver -w
  stamp "prefix made"
  tar -cf "$job/prefix.tar" -C "$WINEPREFIX" . && stamp "prefix packed"
fi
# One wine session (wineserver, services, drivers) serves every command: its
# start-up is most of what a run costs under emulation.
as_caller /usr/lib/wine/wineserver -p

if [ -n "${QW32_PROFILE:-}" ]; then
  (while sleep "$QW32_PROFILE"; do echo "--- $(cut -d' ' -f1 /proc/uptime)"; ps -eo etimes,time,comm --sort=-time | head -8; done) >&2 &
fi
n=0
while [ -f "$job/$n.argv" ]; do
  mapfile -d '' argv <"$job/$n.argv"
  cd "$(cat "$job/$n.cwd")" 2>/dev/null || cd /
  stdin=/dev/null
  [ -f "$job/$n.stdin" ] && stdin=$job/$n.stdin
  as_caller /usr/lib/wine/wine "${argv[@]}" <"$stdin" >"$job/$n.stdout" 2>"$job/$n.stderr"
  rc=$?
  echo "$rc" >"$job/$n.rc.tmp" && mv "$job/$n.rc.tmp" "$job/$n.rc"
  stamp "command $n done (exit $rc)"
  n=$((n + 1))
done
as_caller /usr/lib/wine/wineserver -k 2>/dev/null
sync
stamp "done"
