// fakelabelprinter OUTDIR [PORT]
// Stands for a network label printer's raw port (as CUPS's socket:// backend
// talks to it) on 127.0.0.1: prints the port it listens on as its first line
// of standard output (PORT 0 or none: any free port), then takes connections
// one after the other, as such a printer does. Each connection's bytes go to
// OUTDIR/job-000001.bin, job-000002.bin, ...; once the peer has closed, one
// line is appended to OUTDIR/jobs.log:
//
//     <index> <first byte ns> <last byte ns> <bytes>
//
// with the times as CLOCK_REALTIME nanoseconds (0 0 for a connection that
// sent nothing). Runs until killed (SIGTERM), or until the process that
// started it ends, so a test that dies leaves no printer behind.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// One open file descriptor, closed on every path.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

std::int64_t realtimeNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fakelabelprinter: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

struct ReceivedJob
{
    std::int64_t firstByteNs = 0;
    std::int64_t lastByteNs = 0;
    std::uint64_t bytes = 0;
};

// Reads the connection until the peer closes it, into the job file.
ReceivedJob receive(int connection, int jobFile)
{
    ReceivedJob job;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(connection, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        const std::int64_t now = realtimeNs();
        if (job.bytes == 0)
            job.firstByteNs = now;
        job.lastByteNs = now;
        job.bytes += static_cast<std::uint64_t>(got);
        if (!writeAll(jobFile, buffer, static_cast<std::size_t>(got)))
            fail("writing a job file");
    }
    return job;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: fakelabelprinter OUTDIR [PORT]\n");
        return 2;
    }
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) // it ended before it could be watched
        return 0;
    const std::string folder = argv[1];
    const int port = argc == 3 ? std::atoi(argv[2]) : 0;

    const Descriptor listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!listener.valid())
        fail("socket");
    const int reuse = 1;
    ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        fail("bind");
    if (::listen(listener.get(), 16) != 0)
        fail("listen");
    socklen_t length = sizeof address;
    if (::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        fail("getsockname");
    std::printf("%d\n", ntohs(address.sin_port));
    std::fflush(stdout);

    const Descriptor log(
        ::open((folder + "/jobs.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!log.valid())
        fail("opening jobs.log");
    for (unsigned index = 1;;) {
        const Descriptor connection(::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!connection.valid()) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            fail("accept");
        }
        char name[32];
        std::snprintf(name, sizeof name, "/job-%06u.bin", index);
        const Descriptor jobFile(
            ::open((folder + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!jobFile.valid())
            fail("opening a job file");
        const ReceivedJob job = receive(connection.get(), jobFile.get());
        // One write per line, after the job file is complete: a reader of the
        // log never sees half a line nor a job still arriving.
        char line[96];
        const int size = std::snprintf(line, sizeof line, "%u %lld %lld %llu\n", index,
                                       static_cast<long long>(job.firstByteNs),
                                       static_cast<long long>(job.lastByteNs),
                                       static_cast<unsigned long long>(job.bytes));
        if (!writeAll(log.get(), line, static_cast<std::size_t>(size)))
            fail("writing jobs.log");
        ++index;
    }
}
