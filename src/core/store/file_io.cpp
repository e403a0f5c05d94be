#include "core/store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <utility>

namespace zarvik {

namespace {

void SetSize(std::string& data, std::size_t size) {
    data.resize(size);
}

void SetSize(HBigBuffer& data, std::size_t size) {
    data.Resize(size);
}

template <class Buffer>
int ReadWholeFileInto(const std::string& path, Buffer& out, std::size_t maxBytes) {
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
    // The text is read straight into its buffer, with a byte to spare to see the end
    // without another pass; a file that grows meanwhile is read on in larger steps.
    Buffer data;
    SetSize(data, static_cast<std::size_t>(st.st_size) + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == data.size()) {
            // A file that grows while it is read stops at the limit too.
            if (size > maxBytes) {
                ::close(fd);
                errno = EFBIG;
                return 0;
            }
            SetSize(data, std::min(maxBytes, 2 * size + 65536) + 1);
        }
        const ssize_t got = ::read(fd, data.data() + size, data.size() - size);
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
        size += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (size > maxBytes) {
        errno = EFBIG;
        return 0;
    }
    SetSize(data, size);
    out = std::move(data);
    return 1;
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    return ReadWholeFileInto(path, out, maxBytes);
}

int ReadWholeFile(const std::string& path, HBigBuffer& out, std::size_t maxBytes) {
    return ReadWholeFileInto(path, out, maxBytes);
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

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace zarvik
