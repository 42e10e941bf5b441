// A program built with no hardening at all, for both platforms: the control against which
// the hardening test shows that each of its checks can fail. It has a local buffer (what
// the stack protector guards) and formatted output (what glibc routes through its checked
// functions when asked to).

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    char line[32];
    std::snprintf(line, sizeof line, "%d %s", argc, argv[0]);
    std::printf("%d\n", static_cast<int>(std::strlen(line)));
    return 0;
}
