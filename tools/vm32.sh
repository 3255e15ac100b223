#!/usr/bin/env bash
# Runs the test command on a machine that runs 32-bit programs, from a machine that cannot (its
# kernel was booted without 32-bit emulation, so Wine's 32-bit loader fails with "Exec format
# error"): a Debian 12 virtual machine under QEMU's software emulation, whose own kernel runs
# 32-bit programs. Not part of the test command or of CI; it is how the i686 suite is run here.
#   tools/vm32.sh               builds both architectures here, then runs tools/test.sh in the VM
#   tools/vm32.sh -- CMD [ARG...] runs CMD in the repository inside the VM instead, after the build
#   tools/vm32.sh --image       only makes the VM's image, where there is none yet
# The VM shares the repository at the same path, so its builds find nothing left to do and every
# path the build wrote still holds; the programs are built here, at native speed, with Debian's
# Python (which the VM has at the same path). Its Wine prefix is on its own disk. The image (a
# 12 GB sparse file, about 6 GB used) is made once, in build/vm32, from Debian's archive.
# Emulated, the suites take four to eight times as long as on the machine itself; their time
# limits are raised for the run. Needs root (debootstrap, chroot, the share).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
vm="$repo/build/vm32"
command=(bash tools/test.sh)
image_only=no
case ${1:-} in
  --) shift; command=("$@") ;;
  --image) image_only=yes ;;
  "") ;;
  *) sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  echo "tools/vm32.sh needs root: it makes a Debian system with debootstrap" >&2
  exit 2
fi

host_packages=(qemu-system-x86 debootstrap e2fsprogs)
missing=()
for package in "${host_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The VM's first process: mounts the repository where it is here, runs the job, powers off.
write_init() {
  cat >"$1" <<'EOF'
#!/bin/bash
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
mount -t proc proc /proc 2>/dev/null
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
ip link set lo up
modprobe 9pnet_virtio && modprobe 9p
repo=$(sed -n 's/.*skorvelin\.repo=\([^ ]*\).*/\1/p' /proc/cmdline)
mkdir -p "$repo"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=1048576,cache=loose repo "$repo"
bash "$repo/build/vm32/job" >"$repo/build/vm32/job.out" 2>&1
sync
echo o >/proc/sysrq-trigger
EOF
  chmod +x "$1"
}

# A Debian 12 system with what the project installs (tools/install-deps.sh, run inside it).
make_image() {
  local root="$vm/root"
  rm -rf "$root" "$vm/root.img"
  mkdir -p "$vm"
  echo "== making the VM's system in $root (once)"
  debootstrap --variant=minbase \
    --include=linux-image-amd64,initramfs-tools,udev,kmod,iproute2,procps,ca-certificates \
    bookworm "$root" http://deb.debian.org/debian >"$vm/debootstrap.log" 2>&1 ||
    { tail -20 "$vm/debootstrap.log" >&2; return 1; }
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  cp "$here/install-deps.sh" "$root/tmp/install-deps.sh"
  local mounted=()
  for point in proc sys dev dev/pts; do
    mount --bind "/$point" "$root/$point" && mounted=("$root/$point" "${mounted[@]}")
  done
  local status=0
  chroot "$root" bash /tmp/install-deps.sh >"$vm/install.log" 2>&1 || status=$?
  umount "${mounted[@]}"
  if [ $status -ne 0 ]; then
    tail -20 "$vm/install.log" >&2
    return 1
  fi
  write_init "$root/vm-init"
  cp "$root"/boot/vmlinuz-* "$vm/vmlinuz"
  cp "$root"/boot/initrd.img-* "$vm/initrd.img"
  truncate -s 12G "$vm/root.img.part"
  mkfs.ext4 -q -d "$root" -L root "$vm/root.img.part"
  mv "$vm/root.img.part" "$vm/root.img"
  rm -rf "$root"
}

# The VM has no network: an image made before the project's package list changed is made anew.
made_from=$(sha256sum "$here/install-deps.sh" | cut -d' ' -f1)
if [ ! -f "$vm/root.img" ] || [ "$(cat "$vm/root.img.deps" 2>/dev/null)" != "$made_from" ]; then
  make_image
  echo "$made_from" >"$vm/root.img.deps"
fi
[ $image_only = no ] || exit 0

echo "== building both architectures here"
# Emulated, the suites run four to eight times as slowly as here: their time limits grow to match.
configure_options=(-DSKORVELIN_BENCH=OFF -DSKORVELIN_PYTHON=/usr/bin/python3
  -DSKORVELIN_TEST_TIME_FACTOR=8)
build_arch x86_64 && build_arch i686
# Whatever the VM's run ends with, the build trees get back their usual limits.
usual_limits() {
  for arch in x86_64 i686; do
    cmake --preset "$arch" -S "$repo" -DSKORVELIN_TEST_TIME_FACTOR=1 >/dev/null
  done
}
trap usual_limits EXIT

{
  # QEMU's user network, for what the command may still install from Debian's archive.
  echo "cd $(printf '%q' "$repo") || exit 1"
  echo "export HOME=/root LANG=C.UTF-8 WINEPREFIX=/root/wineprefix CI=${CI:-}"
  echo "echo \"== in the VM: \$(uname -r), 32-bit programs: \$(cat /proc/sys/abi/vsyscall32)\""
  printf '%q ' "${command[@]}"
  echo
  echo 'echo "== the command ended with status $?"'
  # The machine's first process powers it off after the job, but has been seen to stay: the job
  # syncs at once and powers off itself.
  echo 'echo s >/proc/sysrq-trigger; sleep 3; echo o >/proc/sysrq-trigger'
} >"$vm/job"
rm -f "$vm/job.out"

# -cpu max gives the guest features that QEMU emulates badly enough for its kernel to fault on
# Wine's first start; Westmere does not. The TSC of emulated processors jumps: HPET keeps time.
memory=$(($(awk '/MemTotal/ {print $2}' /proc/meminfo) / 2 / 1024))
echo "== starting the VM (software emulation, $(nproc) processors, ${memory} MiB)"
qemu-system-x86_64 -machine q35 -accel tcg,thread=multi -cpu Westmere -smp "$(nproc)" \
  -m "$memory" -kernel "$vm/vmlinuz" -initrd "$vm/initrd.img" \
  -append "root=/dev/vda rw console=ttyS0 init=/vm-init quiet clocksource=hpet tsc=unstable skorvelin.repo=$repo" \
  -drive "file=$vm/root.img,if=virtio,format=raw,cache=unsafe" \
  -virtfs "local,path=$repo,mount_tag=repo,security_model=passthrough,id=repo" \
  -display none -serial "file:$vm/console.log" -no-reboot >/dev/null &
qemu=$!
# What the command prints, as it prints it.
touch "$vm/job.out"
tail -n +1 -f "$vm/job.out" --pid=$qemu &
wait $qemu
sleep 1
status=$(sed -n 's/^== the command ended with status \([0-9]*\)$/\1/p' "$vm/job.out" 2>/dev/null)
if [ -z "$status" ]; then
  echo "the VM ended before the command did; its console: $vm/console.log" >&2
  exit 1
fi
exit "$status"
