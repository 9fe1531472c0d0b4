// Starts a program under the X server of $DISPLAY and measures what a user waits for: the time
// from the process start to the map of its first top-level window, the peak resident memory
// (VmHWM) once the window has had time to paint, and optionally the CPU time the program spends
// idle over a number of seconds. Prints one line, "map_us=… hwm_kb=… idle_cpu_ms=…", then kills
// the program. Needs no window manager: the map of a top-level window is seen on the root window.
//
//   mapprobe [--settle MS] [--idle S] -- PROGRAM [ARGUMENTS…]
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long long nowMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

// The process's peak resident set in kB, from /proc; -1 when it cannot be read.
long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// User and system CPU time of the process in clock ticks; -1 when it cannot be read.
long long cpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t end = text.rfind(')');
    if (end == std::string::npos)
        return -1;
    // Fields after the command name: state is field 3, utime 14, stime 15.
    const char *field = text.c_str() + end + 2;
    long long utime = 0;
    long long stime = 0;
    for (int number = 3; number <= 15 && *field; ++number) {
        if (number == 14)
            utime = std::strtoll(field, nullptr, 10);
        if (number == 15)
            stime = std::strtoll(field, nullptr, 10);
        field = std::strchr(field, ' ');
        if (!field)
            return -1;
        ++field;
    }
    return utime + stime;
}

int usage()
{
    std::fprintf(stderr, "usage: mapprobe [--settle MS] [--idle S] -- PROGRAM [ARGUMENTS...]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int settleMs = 500;
    int idleSeconds = 0;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        }
        if (std::strcmp(argv[first], "--settle") == 0 && first + 1 < argc)
            settleMs = std::atoi(argv[++first]);
        else if (std::strcmp(argv[first], "--idle") == 0 && first + 1 < argc)
            idleSeconds = std::atoi(argv[++first]);
        else
            return usage();
    }
    if (first >= argc)
        return usage();

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "mapprobe: cannot connect to the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const long long started = nowMicroseconds();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror("mapprobe: exec");
        _exit(127);
    }

    // The map of a top-level window that is not a menu or tooltip (override-redirect).
    long long mapped = -1;
    const int fd = xcb_get_file_descriptor(connection);
    while (mapped < 0) {
        xcb_generic_event_t *event = xcb_poll_for_event(connection);
        if (!event) {
            if (nowMicroseconds() - started > 60000000LL || waitpid(child, nullptr, WNOHANG) != 0)
                break;
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(fd, &readable);
            timeval wait{0, 50000};
            select(fd + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (!map->override_redirect)
                mapped = nowMicroseconds();
        }
        std::free(event);
    }
    if (mapped < 0) {
        std::fprintf(stderr, "mapprobe: %s mapped no window within 60 s\n", argv[first]);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return 1;
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peak = peakResidentKb(child);
    long long idleMs = -1;
    if (idleSeconds > 0) {
        const long long before = cpuTicks(child);
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const long long after = cpuTicks(child);
        if (before >= 0 && after >= 0)
            idleMs = (after - before) * 1000 / sysconf(_SC_CLK_TCK);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);

    std::printf("map_us=%lld hwm_kb=%ld idle_cpu_ms=%lld\n", mapped - started, peak, idleMs);
    return 0;
}
