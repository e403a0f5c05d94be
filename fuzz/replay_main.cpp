// Runs every file of the folders (or the files) named on the command line through the
// fuzz target once, so the corpus and every crash input found so far stay a test. An input
// that makes the target hold more than kMemoryLimit bytes beyond what the tool held at
// start fails the run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ZARVIK_REPLAY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZARVIK_REPLAY_ASAN 1
#endif
#endif

#ifdef ZARVIK_REPLAY_ASAN
// The sanitizer runtime's own interface; gcc ships no header for the allocator's part.
extern "C" {
std::size_t __sanitizer_get_current_allocated_bytes();
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                  std::size_t),
                                              void (*free_hook)(const volatile void*));
void __sanitizer_print_stack_trace();
}
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr std::size_t kMemoryLimit = std::size_t{256} * 1024 * 1024;

// The input being replayed, for the report of one that takes too much.
std::string g_current;

#ifdef ZARVIK_REPLAY_ASAN
// AddressSanitizer reserves terabytes of address space and keeps freed blocks in
// quarantine, so neither the address space nor the resident size tells what the target
// holds; the allocator's own count of live bytes does, and the hook sees every allocation.
std::size_t g_ceiling = 0;

void OnAllocation(const volatile void*, std::size_t) {
    if (g_ceiling != 0 && __sanitizer_get_current_allocated_bytes() > g_ceiling) {
        g_ceiling = 0;  // what follows allocates too
        std::fprintf(stderr, "%s: holds more than %zu MB\n", g_current.c_str(), kMemoryLimit >> 20);
        __sanitizer_print_stack_trace();
        std::abort();
    }
}

void OnFree(const volatile void*) {}

void LimitMemory() {
    g_ceiling = __sanitizer_get_current_allocated_bytes() + kMemoryLimit;
    if (__sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree) == 0) {
        std::fprintf(stderr, "cannot limit memory\n");
        std::exit(1);
    }
}
#else
// Past the limit the address space runs out: new throws and Replay reports the input.
void LimitMemory() {
    long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) {
            pages = 0;
        }
        std::fclose(statm);
    }
    rlimit limit{};
    if (pages <= 0 || getrlimit(RLIMIT_AS, &limit) != 0) {
        std::fprintf(stderr, "cannot limit memory\n");
        std::exit(1);
    }
    const rlim_t wanted =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + kMemoryLimit;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > wanted) {
        limit.rlim_cur = wanted;
        setrlimit(RLIMIT_AS, &limit);
    }
}
#endif

int Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 0;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    g_current = file.string();
    try {
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: holds more than %zu MB\n", g_current.c_str(), kMemoryLimit >> 20);
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder-or-file...\n", argv[0]);
        return 2;
    }
    LimitMemory();
    int replayed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argv[i], error)) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.emplace_back(argv[i]);
        }
        for (const auto& file : files) {
            (Replay(file) ? replayed : failed) += 1;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    // An empty or misplaced corpus must not pass as a run.
    return replayed > 0 && failed == 0 ? 0 : 1;
}
