// Times a program from its start until its window is on the screen, as an X client
// that watches the display (scripts/bench.sh runs it under Xvfb):
//
//   orvane_map_timer [--linger MS] [--timeout MS] TITLE PROGRAM [ARGUMENTS...]
//
// It starts PROGRAM in the current folder (the start time is taken in the child just
// before exec), waits for the MapNotify of the top-level window whose WM_NAME or
// _NET_WM_NAME is TITLE (windows with other names, such as a start-up picture, do not
// count), waits MS milliseconds more (default 0), kills the program and prints one
// line of key=value pairs:
//
//   mapped_ms=312.4 first_map_ms=250.1 cpu_ms=48.2 max_rss_kb=61234 width=640 height=480
//
// mapped_ms: start to the MapNotify of TITLE's window; first_map_ms: start to the first
// top-level window mapped on the display (the program's start-up picture, if it has
// one); cpu_ms: the processor time the program used until the kill (user and system),
// which a busy machine disturbs less than the elapsed time; max_rss_kb: the program's
// peak resident memory at the kill; width, height: the size of TITLE's window in pixels. Exits 1 when no such window came up within the
// timeout (default 60,000 ms) or the program ended before.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

std::string textProperty(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string text;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count, &remaining,
                         &data) == Success &&
      data != nullptr) {
    if (format == 8) text.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  return text;
}

bool hasTitle(Display* display, Window window, std::string_view title, Atom netWmName) {
  return textProperty(display, window, XA_WM_NAME) == title || textProperty(display, window, netWmName) == title;
}

// Without a window manager the program's windows are the root's children; with one
// they sit inside its frames, one level further down.
bool titledWindow(Display* display, Window window, std::string_view title, Atom netWmName, Window& found) {
  if (hasTitle(display, window, title, netWmName)) {
    found = window;
    return true;
  }
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  bool matched = false;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && !matched; ++i) {
      if (hasTitle(display, children[i], title, netWmName)) {
        found = children[i];
        matched = true;
      }
    }
    if (children != nullptr) XFree(children);
  }
  return matched;
}

// A window that went away between its MapNotify and our look at it is no error.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

void usage(const char* self) {
  std::fprintf(stderr, "usage: %s [--linger MS] [--timeout MS] TITLE PROGRAM [ARGUMENTS...]\n", self);
}

}  // namespace

int main(int argc, char** argv) {
  long lingerMs = 0;
  long timeoutMs = 60000;
  int next = 1;
  while (next + 1 < argc && std::strncmp(argv[next], "--", 2) == 0) {
    if (std::strcmp(argv[next], "--linger") == 0) {
      lingerMs = std::atol(argv[next + 1]);
    } else if (std::strcmp(argv[next], "--timeout") == 0) {
      timeoutMs = std::atol(argv[next + 1]);
    } else {
      usage(argv[0]);
      return 2;
    }
    next += 2;
  }
  if (argc - next < 2) {
    usage(argv[0]);
    return 2;
  }
  const std::string_view title = argv[next];
  char** command = argv + next + 1;

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_timer: cannot open the display (is DISPLAY set?)\n");
    return 1;
  }
  XSetErrorHandler(ignoreXError);
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);  // watching before the program starts

  int startPipe[2];
  if (pipe2(startPipe, O_CLOEXEC) != 0) {
    std::perror("map_timer: pipe");
    return 1;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::perror("map_timer: fork");
    return 1;
  }
  if (child == 0) {
    close(ConnectionNumber(display));
    const double start = nowMs();
    if (write(startPipe[1], &start, sizeof start) != static_cast<ssize_t>(sizeof start)) _exit(127);
    execvp(command[0], command);
    std::fprintf(stderr, "map_timer: cannot start %s: %s\n", command[0], std::strerror(errno));
    _exit(127);
  }
  close(startPipe[1]);
  double start = 0;
  if (read(startPipe[0], &start, sizeof start) != static_cast<ssize_t>(sizeof start)) {
    std::fprintf(stderr, "map_timer: the program did not start\n");
    waitpid(child, nullptr, 0);
    return 1;
  }
  close(startPipe[0]);

  double firstMapMs = -1;
  double mappedMs = -1;
  int width = 0;
  int height = 0;
  bool ended = false;
  const double deadline = start + static_cast<double>(timeoutMs);
  while (mappedMs < 0 && !ended) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) continue;
      const double at = nowMs() - start;
      if (firstMapMs < 0) firstMapMs = at;
      Window found = None;
      if (titledWindow(display, event.xmap.window, title, netWmName, found)) {
        mappedMs = at;
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, found, &attributes) != 0) {
          width = attributes.width;
          height = attributes.height;
        }
        break;
      }
    }
    if (mappedMs >= 0) break;
    if (waitpid(child, nullptr, WNOHANG) == child) {
      ended = true;
      break;
    }
    const double left = deadline - nowMs();
    if (left <= 0) break;
    pollfd watch{ConnectionNumber(display), POLLIN, 0};
    poll(&watch, 1, static_cast<int>(left < 100 ? left : 100));  // also looks after the child every 100 ms
  }

  if (mappedMs >= 0 && lingerMs > 0) usleep(static_cast<useconds_t>(lingerMs) * 1000u);
  rusage usage{};
  if (!ended) {
    kill(child, SIGKILL);
    int status = 0;
    wait4(child, &status, 0, &usage);
  }
  XCloseDisplay(display);

  if (mappedMs < 0) {
    std::fprintf(stderr, "map_timer: no window titled \"%.*s\" came up (%s)\n", static_cast<int>(title.size()),
                 title.data(), ended ? "the program ended" : "timed out");
    return 1;
  }
  const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
  std::printf("mapped_ms=%.1f first_map_ms=%.1f cpu_ms=%.1f max_rss_kb=%ld width=%d height=%d\n", mappedMs, firstMapMs,
              cpuMs, usage.ru_maxrss, width, height);
  return 0;
}
