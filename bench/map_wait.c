// Starts a program and prints how many microseconds passed until the X server reported that
// one of its top-level windows was mapped (MapNotify on the root window), then the program's
// resident memory a second later in kilobytes; ends the program.
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long Microseconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000L + now.tv_nsec / 1000;
}

static long ResidentKilobytes(pid_t pid) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* status = fopen(path, "r");
  long kb = -1;
  while (status != NULL && fgets(line, sizeof line, status) != NULL) {
    if (strncmp(line, "VmRSS:", 6) == 0) kb = strtol(line + 6, NULL, 10);
  }
  if (status != NULL) fclose(status);
  return kb;
}

int main(int argc, char* argv[]) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const long start = Microseconds();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  // Waits on the connection itself, so the event is seen the moment it arrives.
  struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
  for (int mapped = 0; !mapped;) {
    while (!mapped && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      mapped = event.type == MapNotify && !event.xmap.override_redirect;
    }
    if (mapped) break;
    if (poll(&connection, 1, 1000) == 0 && waitpid(pid, NULL, WNOHANG) == pid) {
      fprintf(stderr, "%s ended before its window was mapped\n", argv[1]);
      return 1;
    }
  }
  const long mapped = Microseconds() - start;
  sleep(1);
  const long kb = ResidentKilobytes(pid);
  kill(pid, SIGTERM);
  waitpid(pid, NULL, 0);
  printf("%ld %ld\n", mapped, kb);
  XCloseDisplay(display);
  return 0;
}
