#!/usr/bin/env bash
# Runs a command against a real network file system: a folder served by sshd on the loopback
# interface and mounted twice with sshfs, as two workstations would mount one share. Everything
# happens in a private mount and network namespace, so no port and no mount is seen outside.
#
#   run-sshfs.sh nocache|cached COMMAND [ARGUMENT...]
#
# nocache: no name or attribute caching in sshfs or the kernel. cached: names and attributes kept
# for 10 s, as a Windows client keeps them. The command gets:
#   MIRTAL_SHARE1, MIRTAL_SHARE2  the two mounts of the share
#   MIRTAL_SERVER_DIR             the served folder itself, as the server sees it
#   MIRTAL_DROP_SHARE2            a command that cuts the second mount's connection to the server
#   MIRTAL_CACHE                  nocache or cached
# Ends with 77 (CTest's skip) and the reason when FUSE, namespaces or the packages are missing.
set -euo pipefail

skip() {
    echo "SKIP: $*"
    exit 77
}

mode="${1:-}"
case "$mode" in
nocache) cache_options="dir_cache=no,entry_timeout=0,attr_timeout=0,negative_timeout=0" ;;
cached) cache_options="dir_cache=yes,dcache_timeout=10,entry_timeout=10,attr_timeout=10" ;;
*)
    echo "usage: $0 nocache|cached COMMAND [ARGUMENT...]" >&2
    exit 2
    ;;
esac
shift

if [ -z "${MIRTAL_IN_NETNS:-}" ]; then
    [ -c /dev/fuse ] || skip "no /dev/fuse: FUSE is not available here"
    for tool in sshfs /usr/sbin/sshd ssh-keygen fusermount3 unshare ip; do
        command -v "$tool" >/dev/null || skip "$tool is missing (scripts/setup --for-tests installs it)"
    done
    [ "$(id -u)" -eq 0 ] || skip "the private mount and network namespace needs root"
    unshare -mn --propagation private true 2>/dev/null ||
        skip "private mount and network namespaces are not allowed here"
    MIRTAL_IN_NETNS=1 exec unshare -mn --propagation private "$0" "$mode" "$@"
fi

ip link set lo up

# Everything lives on a tmpfs of this namespace only and vanishes with it.
work="$(mktemp -d)"
mount -t tmpfs -o size=64m,mode=0700 mirtal-net "$work"
share="$work/share"
mkdir -p "$share" "$work/mnt1" "$work/mnt2" "$work/keys"
mkdir -p /run/sshd # privilege separation directory of sshd

ssh-keygen -q -t ed25519 -N '' -f "$work/keys/host" </dev/null
ssh-keygen -q -t ed25519 -N '' -f "$work/keys/client" </dev/null
cp "$work/keys/client.pub" "$work/keys/authorized_keys"
port=2222
cat >"$work/sshd_config" <<CONFIG
ListenAddress 127.0.0.1
Port $port
HostKey $work/keys/host
AuthorizedKeysFile $work/keys/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
StrictModes no
UsePAM no
PidFile $work/sshd.pid
Subsystem sftp internal-sftp
CONFIG

sshfs_pids=()
cleanup() {
    for dir in "$work/mnt1" "$work/mnt2"; do
        mountpoint -q "$dir" && fusermount3 -u -z "$dir" 2>/dev/null || true
    done
    for pid in "${sshfs_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -s "$work/sshd.pid" ]; then
        kill "$(cat "$work/sshd.pid")" 2>/dev/null || true
    fi
    # The connections' own sshd processes end with their connections.
    wait 2>/dev/null || true
    umount -l "$work" 2>/dev/null || true
    rmdir "$work" 2>/dev/null || true
}
trap cleanup EXIT

/usr/sbin/sshd -f "$work/sshd_config" -E "$work/sshd.log"
for _ in $(seq 100); do
    [ -s "$work/sshd.pid" ] && break
    sleep 0.05
done
[ -s "$work/sshd.pid" ] || {
    cat "$work/sshd.log" >&2
    echo "sshd did not start" >&2
    exit 1
}

mount_share() {
    local number="$1"
    local dir="$work/mnt$number"
    # The ssh client of each mount notes its process, so that its connection can be cut alone.
    printf '#!/bin/sh\necho $$ >"%s"\nexec ssh "$@"\n' "$work/ssh$number.pid" >"$work/ssh$number"
    chmod +x "$work/ssh$number"
    sshfs -f -p "$port" -o "ssh_command=$work/ssh$number" \
        -o "IdentityFile=$work/keys/client,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null" \
        -o "BatchMode=yes,LogLevel=ERROR,ServerAliveInterval=2,ServerAliveCountMax=2" \
        -o "$cache_options" \
        "root@127.0.0.1:$share" "$dir" &
    sshfs_pids+=($!)
    for _ in $(seq 200); do
        mountpoint -q "$dir" && return 0
        sleep 0.05
    done
    echo "sshfs did not mount $dir" >&2
    exit 1
}
mount_share 1
mount_share 2

# Cutting the second workstation's connection: its ssh client ends, as when the network fails.
printf '#!/bin/sh\nkill "$(cat "%s")"\n' "$work/ssh2.pid" >"$work/drop-share2"
chmod +x "$work/drop-share2"

export MIRTAL_SHARE1="$work/mnt1" MIRTAL_SHARE2="$work/mnt2" MIRTAL_SERVER_DIR="$share"
export MIRTAL_DROP_SHARE2="$work/drop-share2" MIRTAL_CACHE="$mode"
status=0
"$@" || status=$?
exit "$status"
