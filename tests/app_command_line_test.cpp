// The real program started from a shell without any display, as over ssh or from a
// cron job: what it says, where, and with which exit status.

#include "harness/harness.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tervanel::test {
namespace {

struct Outcome {
    int status = -1;
    bool signalled = false;
    std::string out;
    std::string err;
};

std::string contents(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Outcome run(const std::vector<std::string> &arguments)
{
    const std::string folder = harness::makePrivateFolder("tervanel-cli-");
    std::vector<std::string> env = harness::currentEnvironment();
    std::erase_if(env, [](const std::string &e) {
        return e.starts_with("DISPLAY=") || e.starts_with("WAYLAND_DISPLAY=")
               || e.starts_with("WAYLAND_SOCKET=") || e.starts_with("QT_QPA_PLATFORM=");
    });
    harness::setVariable(env, "XDG_RUNTIME_DIR=" + folder); // no Wayland socket in it

    const std::string out = folder + "/out", err = folder + "/err";
    std::vector<std::string> argv{TERVANEL_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = harness::spawn(argv, env, harness::Streams{"/dev/null", out, err});

    int status = 0;
    waitpid(pid, &status, 0);
    Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, WIFSIGNALED(status) != 0,
                    contents(out), contents(err)};
    std::remove(out.c_str());
    std::remove(err.c_str());
    rmdir(folder.c_str());
    return outcome;
}

long lines(const std::string &text)
{
    return std::count(text.begin(), text.end(), '\n');
}

TEST(CommandLine, WithoutADisplay)
{
    enum class Says { Nothing, Version, Usage, Refusal, NoDisplay };
    struct Row {
        std::vector<std::string> arguments;
        int status;
        Says says;
    };
    const Row rows[] = {
        {{"--version"}, 0, Says::Version},
        {{"--help"}, 0, Says::Usage},
        {{"-platform", "xcb", "--help"}, 0, Says::Usage},
        {{"--version", "--bogus"}, 0, Says::Version}, // the first answer wins, as in GNU tools
        {{"--bogus"}, 2, Says::Refusal},
        {{"-x"}, 2, Says::Refusal},
        {{"questionario"}, 2, Says::Refusal},
        {{"-platform"}, 2, Says::Refusal},
        {{}, 1, Says::NoDisplay},
        {{"-display", ":97"}, 1, Says::NoDisplay},
        {{"-platform", "xcb"}, 1, Says::NoDisplay},
        {{"--platform=xcb", "-reverse", "-style", "windows"}, 1, Says::NoDisplay},
        {{"-platform", "nessuna"}, 1, Says::NoDisplay},
    };
    for (const Row &row : rows) {
        std::string shown;
        for (const std::string &a : row.arguments)
            shown += " " + a;
        SCOPED_TRACE("tervanel" + shown);
        const Outcome o = run(row.arguments);
        EXPECT_FALSE(o.signalled) << "no abort, no core dump";
        EXPECT_EQ(o.status, row.status);
        switch (row.says) {
        case Says::Version:
            EXPECT_TRUE(o.out.starts_with("tervanel (Tervanel) 1.00\n")) << o.out;
            EXPECT_EQ(o.err, "");
            break;
        case Says::Usage:
            EXPECT_TRUE(o.out.starts_with("Uso: tervanel [OPZIONE]...\nTest di autovalutazione "
                                          "per dolori e fastidi alle gambe: tredici\n"))
                << o.out;
            EXPECT_NE(o.out.find("--version"), std::string::npos);
            EXPECT_EQ(o.err, "");
            break;
        case Says::Refusal:
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(lines(o.err), 2) << o.err;
            EXPECT_NE(o.err.find("'" + row.arguments.back() + "'"), std::string::npos) << o.err;
            EXPECT_NE(o.err.find("tervanel --help"), std::string::npos) << o.err;
            break;
        case Says::NoDisplay:
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(lines(o.err), 1) << o.err;
            EXPECT_TRUE(o.err.starts_with("tervanel: serve uno schermo grafico")) << o.err;
            break;
        case Says::Nothing:
            break;
        }
    }
}

} // namespace
} // namespace tervanel::test
