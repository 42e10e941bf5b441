// The stack protector's guard as every Windows program of the project chooses it
// (app/win32/stack_guard.cpp): set before anything else runs, with the lowest byte zero,
// another at each start; and a protected function whose buffer overflows still ends the
// program instead of returning.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
extern void *__stack_chk_guard;
}

namespace {

std::uint64_t guard()
{
    return reinterpret_cast<std::uintptr_t>(__stack_chk_guard);
}

// Writes `bytes` bytes into a buffer of 16: past its end when more.
__attribute__((noinline)) void fill(std::size_t bytes)
{
    char buffer[16];
    std::memset(buffer, 'x', bytes);
    asm volatile("" : : "r"(buffer) : "memory");
}

struct ChildRun {
    DWORD exitCode = 0;
    std::string output;
};

// This test program once more, with `argument`: its exit code and what it wrote.
ChildRun runThisProgram(const std::wstring &argument)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\" " + argument;
    PROCESS_INFORMATION process{};
    ChildRun run;
    if (!CreateProcessW(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        run.exitCode = ~DWORD{0};
        return run;
    }
    CloseHandle(writeEnd);
    char chunk[256];
    DWORD read = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0)
        run.output.append(chunk, read);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

TEST(StackGuard, ChosenBeforeAnythingElseAnotherAtEachStart)
{
    std::vector<std::uint64_t> guards{guard()};
    for (int start = 0; start < 2; ++start) {
        const ChildRun run = runThisProgram(L"--print-guard");
        ASSERT_EQ(run.exitCode, 0U) << run.output;
        guards.push_back(std::stoull(run.output, nullptr, 16));
    }
    for (std::size_t i = 0; i < guards.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(guards[i], 0U);
        // Zero only where this program's guard is chosen first: libssp's own choice,
        // had it come first, would have kept its random lowest byte.
        EXPECT_EQ(guards[i] & 0xFF, 0U);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(guards[i], guards[j]);
    }
}

TEST(StackGuard, AnOverflowingBufferEndsTheProgram)
{
    struct Case {
        const wchar_t *argument;
        bool ends;
    };
    for (const Case c : {Case{L"--fill 16", false}, Case{L"--fill 64", true}}) {
        const ChildRun run = runThisProgram(c.argument);
        SCOPED_TRACE(run.output);
        if (c.ends) {
            EXPECT_NE(run.exitCode, 0U);
            EXPECT_EQ(run.output.find("returned"), std::string::npos);
        } else {
            EXPECT_EQ(run.exitCode, 0U);
            EXPECT_NE(run.output.find("returned"), std::string::npos);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--print-guard") {
        std::printf("%llx\n", static_cast<unsigned long long>(guard()));
        return 0;
    }
    if (first == "--fill" && argc > 2) {
        // The failure handler ends the program with an illegal instruction: no debugger
        // is to be started for it, only the end is checked.
        SetUnhandledExceptionFilter(
            [](EXCEPTION_POINTERS *) -> LONG { return EXCEPTION_EXECUTE_HANDLER; });
        fill(std::stoul(argv[2]));
        std::printf("returned\n");
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
