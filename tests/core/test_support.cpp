#include "test_support.h"

#include "core/doc/file_io.h"

namespace zarvik::test_support {

std::string FileBytes(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

}  // namespace zarvik::test_support
