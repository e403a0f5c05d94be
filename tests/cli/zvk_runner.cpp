#include "zvk_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "core/text/cp932.h"

extern char** environ;

namespace zarvik::cli_test {
namespace {

std::vector<std::string> Environment(const std::string& home) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (!home.empty() &&
            (entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_CONFIG_HOME=", 0) == 0)) {
            continue;
        }
        env.push_back(entry);
    }
    if (!home.empty()) {
        env.push_back("HOME=" + home);
        env.push_back("XDG_CONFIG_HOME=" + home + "/config");
    }
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

int WaitWithTimeout(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &wstatus, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

}  // namespace

RunResult RunZvk(const std::vector<std::string>& args, const RunOptions& options) {
    TempDir capture;
    const std::string outPath = options.stdoutPath.empty() ? capture / "out" : options.stdoutPath;
    const std::string errPath = capture / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> argv{options.program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = Environment(options.home);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envPointers = Pointers(env);
    pid_t pid = 0;
    RunResult result;
    if (posix_spawn(&pid, options.program.c_str(), &actions, nullptr, argvPointers.data(),
                    envPointers.data()) == 0) {
        result.status = WaitWithTimeout(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (options.stdoutPath.empty()) {
        result.out = FileBytes(outPath);
    }
    result.err = FileBytes(errPath);
    return result;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void WriteDocument(const std::string& path, const std::string& utf8) {
    std::string crlf;
    for (const char c : utf8) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    WriteBytes(path, ToCp932(crlf));
}

namespace {

std::string BoxHead(const std::string& key, const std::string& name, int x, int y) {
    std::ostringstream s;
    s << "[" << key << "]\nName=" << name << "\nGuiPoint=" << x << "," << y
      << "\nGuiSize=100,50\nGuiMinSize=30,30\n";
    return s.str();
}

std::string Key(const char* prefix, int id) {
    char key[32];
    std::snprintf(key, sizeof key, "%s_%03d", prefix, id);
    return key;
}

}  // namespace

std::string FileSection(int id, const std::string& name, int type, int setting,
                        const std::vector<std::string>& dets,
                        const std::vector<std::string>& rets) {
    std::ostringstream s;
    s << BoxHead(Key("FILE", id), name, 40, 40 * id) << "FpType=" << type
      << "\nSelectFpSumType=" << setting << "\nFpLevel=1\nAutoDET=1\nAutoRET=1\n";
    char key[48];
    for (std::size_t i = 0; i < dets.size(); ++i) {
        std::snprintf(key, sizeof key, "DETLIST_NAME_%03zu", i);
        s << key << "=" << dets[i] << "\n";
    }
    for (std::size_t i = 0; i < rets.size(); ++i) {
        std::snprintf(key, sizeof key, "RETLIST_NAME_%03zu", i);
        s << key << "=" << rets[i] << "\n";
    }
    return s.str();
}

std::string TaskSection(int id, const std::string& name, int type, int setting) {
    std::ostringstream s;
    s << BoxHead(Key("TASK", id), name, 300, 40 * id) << "FpType=" << type
      << "\nSelectFpSumType=" << setting << "\nFpLevel=1\nAutoDET=1\nAutoFTR=1\n";
    return s.str();
}

std::string LineSection(int id, const std::string& from, const std::string& to) {
    return "[" + Key("LINE", id) + "]\nGuiPointFrom=0,0\nGuiPointTo=0,0\nFrom=" + from +
           "\nTo=" + to + "\n";
}

std::string Golden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(ZVK_GOLDEN_DIR) + "/" + name;
    if (const char* update = std::getenv("ZARVIK_GOLDEN_UPDATE"); update && *update == '1') {
        WriteBytes(path, actual);
    }
    return FileBytes(path);
}

}  // namespace zarvik::cli_test
