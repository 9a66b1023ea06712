// EventReport: one write(2) per event line to the file ZORBLAT_EVENTS names, or nothing.
#include "framework/EventReport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace eventreport {
namespace {

constexpr int kLineCapacity = 512;
int fd_ = -1;

}  // namespace

void openFromEnvironment() { open(std::getenv("ZORBLAT_EVENTS")); }

bool open(const char* path) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (path != nullptr && path[0] != '\0') {
        // Not inherited: a child process must never write into the test's report.
        fd_ = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    }
    return fd_ >= 0;
}

bool enabled() { return fd_ >= 0; }

void report(const char* format, ...) {
    if (fd_ < 0) {
        return;
    }
    char line[kLineCapacity];
    va_list arguments;
    va_start(arguments, format);
    const int wanted = std::vsnprintf(line, sizeof line - 1, format, arguments);
    va_end(arguments);
    if (wanted < 0) {
        return;
    }
    const int length = wanted < kLineCapacity - 2 ? wanted : kLineCapacity - 2;
    line[length] = '\n';
    // O_APPEND makes the one write land whole at the end, whoever else appends.
    while (::write(fd_, line, static_cast<size_t>(length) + 1) < 0 && errno == EINTR) {
    }
}

}  // namespace eventreport
