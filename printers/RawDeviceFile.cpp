#include "printers/EPrinterAccess.h"
#include "printers/RawOutput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace rawoutput {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& what, int error = 0)
{
    std::string message = "The printer device " + path + " " + what;
    if (error != 0) {
        message += ": " + std::string(std::strerror(error));
    }
    throw EPrinterAccess(message);
}

bool isPrinterDevice(const struct stat& status)
{
    return S_ISCHR(status.st_mode) || S_ISREG(status.st_mode);
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

void writeAll(const std::string& path, int fd, std::string_view stream)
{
    std::size_t written = 0;
    while (written < stream.size()) {
        const ssize_t n = ::write(fd, stream.data() + written, stream.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fail(path,
                 "stopped taking data after " + std::to_string(written) + " of " + std::to_string(stream.size()) +
                     " bytes",
                 n < 0 ? errno : EIO);
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace

void WriteDeviceFile(const std::string& path, std::string_view stream)
{
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0) {
        fail(path, "cannot be used", errno);
    }
    if (!isPrinterDevice(status)) {
        fail(path, "is neither a character device nor a file");
    }
    // Not blocking, so that a device without a reader or a modem line never holds the
    // program; blocking again for the data.
    const int truncate = S_ISREG(status.st_mode) ? O_TRUNC : 0;
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | truncate));
    if (fd.get() < 0) {
        fail(path, "cannot be opened", errno);
    }
    // The path may have been replaced between the two looks.
    if (::fstat(fd.get(), &status) != 0 || !isPrinterDevice(status)) {
        fail(path, "is neither a character device nor a file");
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        fail(path, "cannot be set up for writing", errno);
    }
    writeAll(path, fd.get(), stream);
    if (::close(fd.release()) != 0) {
        fail(path, "did not take the whole stream", errno);
    }
}

} // namespace rawoutput
