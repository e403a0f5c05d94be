#include "core/port/platform.h"

#include <unistd.h>

#include "core/port/fixed_metrics_context.h"

#include <chrono>
#include <climits>

namespace zarvik {
namespace {

const HPlatform kHeadless;
const HPlatform* g_platform = nullptr;

}  // namespace

uint32_t HPlatform::TickCount() const {
    using namespace std::chrono;
    const auto since = steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(duration_cast<milliseconds>(since).count());
}

std::string HPlatform::ProgramDirectory() const {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return ".";
    }
    std::string program(path, static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    return slash == 0 ? "/" : program.substr(0, slash);
}

void HPlatform::GetVersion(int version[4]) const {
    version[0] = 1;
    version[1] = 2;
    version[2] = 6;
    version[3] = 0;
}

int HPlatform::DecodePicture(const std::string&, HBitmap&) const {
    return 0;
}

HDrawContext& HPlatform::ScreenContext() const {
    static HFixedMetricsContext context;
    return context;
}

const HPlatform& Platform() {
    return g_platform != nullptr ? *g_platform : kHeadless;
}

void SetPlatform(const HPlatform* platform) {
    g_platform = platform;
}

}  // namespace zarvik
