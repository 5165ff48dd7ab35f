/* PID 1 of the wine32 helper VM. Loads the virtio/9p modules listed in
 * /modules/order, mounts the host's root (read-only, with a tmpfs overlay so
 * programs can write anywhere) plus the writable host folders named on the
 * kernel command line, runs the guest script and powers the VM off. Kept in C
 * so the initramfs needs nothing but this static binary and the modules. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

static void say(const char *what, const char *arg) {
  fprintf(stderr, "wine32-vm: %s %s: %s\n", what, arg ? arg : "", strerror(errno));
}

static void power_off(void) {
  sync();
  reboot(RB_POWER_OFF);
  for (;;) pause();
}

static void load_modules(void) {
  FILE *order = fopen("/modules/order", "r");
  char name[256];
  if (!order) { say("open", "/modules/order"); return; }
  while (fgets(name, sizeof name, order)) {
    name[strcspn(name, "\n")] = 0;
    if (!name[0]) continue;
    char path[300];
    snprintf(path, sizeof path, "/modules/%s", name);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) { say("open", path); continue; }
    if (syscall(SYS_finit_module, fd, "", 0) != 0 && errno != EEXIST) say("load", path);
    close(fd);
  }
  fclose(order);
}

static int mount_9p(const char *tag, const char *target, int readonly) {
  const char *opts = readonly ? "trans=virtio,version=9p2000.L,msize=512000,cache=loose"
                              : "trans=virtio,version=9p2000.L,msize=512000,cache=loose";
  if (mount(tag, target, "9p", readonly ? MS_RDONLY : 0, opts) != 0) {
    say("mount 9p", tag);
    return -1;
  }
  return 0;
}

/* QW32_SHARES="tag1:/path1 tag2:/path2": writable host folders, mounted at
 * the same path inside the guest so the caller's paths work unchanged. */
static void mount_shares(void) {
  const char *list = getenv("QW32_SHARES");
  if (!list) return;
  char *copy = strdup(list), *save = NULL;
  for (char *item = strtok_r(copy, ",", &save); item; item = strtok_r(NULL, ",", &save)) {
    char *colon = strchr(item, ':');
    if (!colon) continue;
    *colon = 0;
    char target[4096];
    snprintf(target, sizeof target, "/newroot%s", colon + 1);
    mount_9p(item, target, 0);
  }
  free(copy);
}

int main(void) {
  mount("proc", "/proc", "proc", 0, NULL);
  mount("sysfs", "/sys", "sysfs", 0, NULL);
  mount("devtmpfs", "/dev", "devtmpfs", 0, NULL);
  load_modules();

  mkdir("/lower", 0755);
  mkdir("/rw", 0755);
  mkdir("/newroot", 0755);
  if (mount_9p("root", "/lower", 1) != 0) power_off();
  mount("tmpfs", "/rw", "tmpfs", 0, "mode=0755");
  mkdir("/rw/upper", 0755);
  mkdir("/rw/work", 0755);
  if (mount("overlay", "/newroot", "overlay", 0,
            "lowerdir=/lower,upperdir=/rw/upper,workdir=/rw/work") != 0) {
    say("mount", "overlay (falling back to a read-only root)");
    if (mount("/lower", "/newroot", NULL, MS_BIND | MS_REC, NULL) != 0) power_off();
  }
  mount_shares();
  mount("proc", "/newroot/proc", "proc", 0, NULL);
  mount("sysfs", "/newroot/sys", "sysfs", 0, NULL);
  mount("devtmpfs", "/newroot/dev", "devtmpfs", 0, NULL);
  mkdir("/newroot/dev/pts", 0755);
  mount("devpts", "/newroot/dev/pts", "devpts", 0, "ptmxmode=0666");
  mkdir("/newroot/dev/shm", 01777);
  mount("tmpfs", "/newroot/dev/shm", "tmpfs", 0, "mode=1777");
  mount("tmpfs", "/newroot/run", "tmpfs", 0, "mode=0755");

  const char *script = getenv("QW32_SCRIPT");
  if (!script) { fprintf(stderr, "wine32-vm: QW32_SCRIPT not set\n"); power_off(); }
  pid_t child = fork();
  if (child == 0) {
    if (chroot("/newroot") != 0 || chdir("/") != 0) { say("chroot", "/newroot"); _exit(127); }
    setenv("PATH", "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin", 1);
    execl("/bin/bash", "bash", script, (char *)NULL);
    say("exec", script);
    _exit(127);
  }
  for (;;) {  /* as PID 1 we also reap every orphan the script leaves */
    int status;
    pid_t done = waitpid(-1, &status, 0);
    if (done == child || (done < 0 && errno == ECHILD)) break;
  }
  power_off();
  return 0;
}
