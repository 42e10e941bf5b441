#include "harness/harness.hpp"

#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char **environ;

namespace tervanel::harness {

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> environment;
    for (char **e = environ; *e; ++e)
        environment.emplace_back(*e);
    return environment;
}

void setVariable(std::vector<std::string> &environment, const std::string &assignment)
{
    const std::string name = assignment.substr(0, assignment.find('=') + 1);
    std::erase_if(environment, [&](const std::string &e) { return e.starts_with(name); });
    environment.push_back(assignment);
}

pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
            const posix_spawn_file_actions_t *actions)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char *> env;
    for (const std::string &e : environment)
        env.push_back(const_cast<char *>(e.c_str()));
    env.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), env.data()) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &environment,
            const Streams &streams)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, streams.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, streams.output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (streams.error == streams.output)
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, streams.error.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    try {
        pid = spawn(argv, environment, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

XServer startXvfb(int width, int height)
{
    // Xvfb picks a free display itself and writes its number to the pipe.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    for (int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&quiet, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&quiet, pipeFds[0]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    XServer server{-1, {}};
    try {
        server.pid = spawn({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                            screen, "-nolisten", "tcp", "-terminate"},
                           currentEnvironment(), &quiet);
    } catch (...) {
        posix_spawn_file_actions_destroy(&quiet);
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    posix_spawn_file_actions_destroy(&quiet);
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty()) {
        stop(server.pid);
        throw std::runtime_error("Xvfb did not start");
    }
    server.display = ":" + number;
    return server;
}

namespace {

long statusFieldKiB(pid_t pid, const char *field)
{
    std::ifstream status(pid > 0 ? "/proc/" + std::to_string(pid) + "/status"
                                 : "/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(field)) {
            std::istringstream value(line.substr(line.find(':') + 1));
            long kib = -1;
            value >> kib;
            return kib;
        }
    return -1;
}

QtMessageHandler standardHandler = nullptr;

void dropOffscreenWarnings(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (standardHandler)
        standardHandler(type, context, message);
}

} // namespace

long peakMemoryKiB(pid_t pid)
{
    return statusFieldKiB(pid, "VmHWM:");
}

long residentMemoryKiB(pid_t pid)
{
    return statusFieldKiB(pid, "VmRSS:");
}

void quietOffscreenWarnings()
{
    standardHandler = qInstallMessageHandler(dropOffscreenWarnings);
}

std::string makePrivateFolder(const std::string &prefix)
{
    std::string path = "/tmp/" + prefix + "XXXXXX";
    if (!mkdtemp(path.data()))
        throw std::runtime_error("cannot make a temporary folder");
    chmod(path.c_str(), 0700);
    return path;
}

std::vector<std::string> Wine::command(const std::string &program) const
{
    return {runner, folder, program};
}

namespace {

// Runs a command to its end with its output dropped; its exit status.
int runQuietly(const std::vector<std::string> &argv, const std::vector<std::string> &environment)
{
    const pid_t pid = spawn(argv, environment, Streams{});
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

void Wine::keepWarm() const
{
    std::vector<std::string> environment = currentEnvironment();
    std::erase_if(environment, [](const std::string &e) { return e.starts_with("DISPLAY="); });
    std::vector<std::string> command = this->command("cmd");
    command.insert(command.end(), {"/c", "exit"});
    if (runQuietly(command, environment) != 0)
        throw std::runtime_error("Wine does not run in " + folder);
    setVariable(environment, "WINEPREFIX=" + folder + "/prefix");
    runQuietly({"wineserver", "--persistent"}, environment);
}

void Wine::end() const
{
    std::vector<std::string> environment = currentEnvironment();
    setVariable(environment, "WINEPREFIX=" + folder + "/prefix");
    runQuietly({"wineserver", "-k"}, environment);
    // Gone before the next run of the prefix starts: a program that reaches a server still
    // on its way out loses its connection to it.
    runQuietly({"wineserver", "-w"}, environment);
}

} // namespace tervanel::harness
