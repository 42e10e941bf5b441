// The stack protector's guard for every Windows program of the project, chosen before
// anything else runs.
//
// MinGW's stack protector (libssp) chooses its guard in a constructor of its own, through
// CryptAcquireContext and CryptGenRandom: every start then loads a cryptographic provider
// (bcrypt, crypt32 and rsaenh, about a tenth of a warm start under Wine) only to read eight
// bytes. libssp keeps a guard that is already set, and this constructor runs before it:
// it mixes what Windows' own /GS cookie is made of (the time, the process and thread ids,
// the tick count, the performance counter) with an address on the stack, which address
// space layout randomisation moves, and with the processor's random number generator
// where it has one. libssp's failure handler, __stack_chk_fail, stays as it is.

#include <windows.h>

#include <cpuid.h>

#include <cstdint>

extern "C" {
// libssp's guard, which every protected function compares its canary with on return.
extern void *__stack_chk_guard;
}

namespace {

// One step of a 64-bit mixing function (splitmix64's finalizer) over the sources.
std::uint64_t mixedIn(std::uint64_t state, std::uint64_t source)
{
    state ^= source + 0x9E3779B97F4A7C15ULL + (state << 6) + (state >> 2);
    state ^= state >> 30;
    state *= 0xBF58476D1CE4E5B9ULL;
    state ^= state >> 27;
    state *= 0x94D049BB133111EBULL;
    state ^= state >> 31;
    return state;
}

// RDRAND can fail for a moment (no carry), and some processors have answered all ones
// after a suspend; either way the other sources remain. Not protected: it runs while the
// guard is still unset.
__attribute__((target("rdrnd"), no_stack_protector)) std::uint64_t processorRandom()
{
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || (ecx & bit_RDRND) == 0)
        return 0;
    for (int tries = 0; tries < 10; ++tries) {
        unsigned long long value = 0;
        if (__builtin_ia32_rdrand64_step(&value) && value != ~0ULL)
            return value;
    }
    return 0;
}

// Priority 101, the first a program may use: before libssp's constructor and every other
// one, so no protected function is running when the guard changes; and not protected
// itself, for the same reason.
__attribute__((constructor(101), no_stack_protector)) void chooseStackGuard()
{
    if (__stack_chk_guard != nullptr)
        return;
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const std::uint64_t sources[] = {
        (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime,
        GetCurrentProcessId(),
        GetCurrentThreadId(),
        GetTickCount64(),
        static_cast<std::uint64_t>(counter.QuadPart),
        reinterpret_cast<std::uintptr_t>(&time),
        processorRandom(),
    };
    std::uint64_t guard = 0;
    for (const std::uint64_t source : sources)
        guard = mixedIn(guard, source);
    // The lowest byte, the first an overflow reaches, is zero: a string copied past its
    // buffer ends there and cannot write the rest of the guard back.
    guard &= ~std::uint64_t{0xFF};
    if (guard == 0)
        guard = 0x2F8A'61C3'9D04'E700ULL;
    __stack_chk_guard = reinterpret_cast<void *>(guard);
}

} // namespace
