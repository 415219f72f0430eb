#include "support/run.hpp"

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

#include "support/game_folder.hpp"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path = fs::temp_directory_path() /
           ("tidewrit-test-" + std::to_string(processId()) + "-" + std::to_string(counter++));
    fs::remove_all(path);
    fs::create_directories(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
    fs::remove(path.string() + ".out", ignored);
    fs::remove(path.string() + ".err", ignored);
}

fs::path builtProgram() { return TIDEWRIT_EXE; }

#ifdef _WIN32

namespace {

// Quote one argument the way the C runtime splits a command line.
std::string quoteArgument(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') quoted.append(backslashes * 2 + 1, '\\');
        else quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

HANDLE openForChild(const fs::path& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

RunResult runTidewrit(const fs::path& folder, const std::vector<std::string>& arguments, const fs::path& outputPath,
                      Terminal, const char*, const fs::path&) {
    fs::path outPath = outputPath.empty() ? fs::path(folder.string() + ".out") : outputPath;
    fs::path errPath = folder.string() + ".err";
    std::string commandLine = quoteArgument(TIDEWRIT_EXE);
    for (const std::string& argument : arguments) commandLine += " " + quoteArgument(argument);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = openForChild(outPath);
    startup.hStdError = openForChild(errPath);
    PROCESS_INFORMATION process{};
    RunResult result;
    std::string folderName = folder.string();
    // Wine now and then fails to start a process although nothing is wrong with it (error
    // 1359, an internal error): a start that fails is tried twice more before it counts.
    bool started = false;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folderName.c_str(),
                                 &startup, &process) != 0;
        if (!started) {
            startError = GetLastError();
            Sleep(100);
        }
    }
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (outputPath.empty()) result.output = readFile(outPath);
    result.errors = readFile(errPath);
    // Why the program could not be started, with its errors, which most tests compare.
    if (!started) result.errors += "(the program did not start: error " + std::to_string(startError) + ")";
    return result;
}

#else

RunResult runTidewrit(const fs::path& folder, const std::vector<std::string>& arguments, const fs::path& outputPath,
                      Terminal terminal, const char* locale, const fs::path& program) {
    std::string outPath = outputPath.empty() ? folder.string() + ".out" : outputPath.string();
    std::string errPath = folder.string() + ".err";
    std::vector<std::string> words = {program.empty() ? TIDEWRIT_EXE : program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    // The terminal's other end stays open here too, so that what the program wrote can be
    // read after it has ended.
    int screen = -1;
    int screenHeld = -1;
    std::string screenPath;
    if (terminal != Terminal::none) {
        screen = posix_openpt(O_RDWR | O_NOCTTY);
        if (screen < 0 || grantpt(screen) != 0 || unlockpt(screen) != 0) return {};
        screenPath = ptsname(screen);
        screenHeld = open(screenPath.c_str(), O_RDWR | O_NOCTTY);
        fcntl(screen, F_SETFL, O_NONBLOCK);
    }
    RunResult result;
    pid_t child = fork();
    if (child == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (terminal != Terminal::none) err = open(screenPath.c_str(), O_WRONLY | O_NOCTTY);
        if (terminal == Terminal::outputAndErrors) out = err;
        if (out < 0 || err < 0 || chdir(folder.c_str()) != 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
        setenv("LC_ALL", locale, 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // A terminal holds only a few KiB until they are read, so it is read while the program
    // runs. A program still running after a minute is ended, and its status stays -1.
    auto readScreen = [&] {
        char block[4096];
        ssize_t got;
        while (screen >= 0 && (got = read(screen, block, sizeof block)) > 0) {
            result.screen.append(block, static_cast<std::size_t>(got));
        }
    };
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    for (int status = 0; child > 0;) {
        pollfd written{screen, POLLIN, 0};
        poll(&written, screen >= 0 ? 1 : 0, 10);
        readScreen();
        pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
        if (ended != 0) break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
    }
    if (screen >= 0) {
        readScreen();
        close(screenHeld);
        close(screen);
        result.screen.erase(std::remove(result.screen.begin(), result.screen.end(), '\r'), result.screen.end());
    }
    if (outputPath.empty()) result.output = readFile(outPath);
    result.errors = readFile(errPath);
    return result;
}

namespace {

// A process of the test's own that outlives the test at most a minute. It lets go of the
// test's standard streams, which the test runner waits on until every holder has closed them.
bool forkHelper() {
    if (fork() != 0) return false;
    alarm(60);
    int null = open("/dev/null", O_RDWR);
    for (int stream = 0; stream <= 2; ++stream) dup2(null, stream);
    return true;
}

}  // namespace

void serveThroughFifo(const fs::path& path, const std::vector<std::string>& contents, bool removeFolder) {
    if (mkfifo(path.c_str(), 0600) != 0) throw std::system_error(errno, std::generic_category(), path.string());
    if (!forkHelper()) return;
    signal(SIGPIPE, SIG_IGN);
    for (const std::string& content : contents) {
        int fifo = open(path.c_str(), O_WRONLY);
        if (fifo < 0) _exit(1);
        if (removeFolder) {
            std::error_code ignored;
            fs::remove_all(path.parent_path(), ignored);
        }
        for (std::size_t done = 0; done < content.size();) {
            ssize_t wrote = write(fifo, content.data() + done, content.size() - done);
            if (wrote <= 0) break;
            done += static_cast<std::size_t>(wrote);
        }
        close(fifo);
    }
    _exit(0);
}

void fifoWithoutReader(const fs::path& path) {
    if (mkfifo(path.c_str(), 0600) != 0) throw std::system_error(errno, std::generic_category(), path.string());
    if (!forkHelper()) return;
    close(open(path.c_str(), O_RDONLY));
    _exit(0);
}

#endif
