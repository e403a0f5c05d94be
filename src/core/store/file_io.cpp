#include "core/store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zarvik {

int ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return 0;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 0;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return 0;
    }
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return 0;
        }
        if (got == 0) {
            break;
        }
        // A file that grows while it is read stops at the limit too.
        if (data.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(fd);
            errno = EFBIG;
            return 0;
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    out = std::move(data);
    return 1;
}

std::string PathWithDefaultExtension(const std::string& chosen, std::string_view ext) {
    if (chosen.empty()) {
        return chosen;
    }
    const std::size_t slash = chosen.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    if (dot != std::string::npos && dot > start) {
        return chosen;
    }
    return chosen + std::string(ext);
}

}  // namespace zarvik
