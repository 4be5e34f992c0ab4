#pragma once
// Big documents (a 120 MB program, a 100 MB DXF) spend most of their time in the
// kernel's page faults when malloc hands out ordinary 4 KiB pages: on this kind of
// machine opening a 5-million-line program took 3.0 s that way and 0.9 s with
// transparent huge pages. glibc's malloc asks for them only when the tunable
// glibc.malloc.hugetlb is set at process start, so the program starts itself once
// more with it set. Nothing happens when it is set already, when the exec fails, or
// on a C library that ignores it (the tunable is then still in the environment, so
// there is no second restart).

#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

namespace talmir {

inline void restartWithHugePages(char** argv) {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables != nullptr && std::strstr(tunables, "glibc.malloc.hugetlb") != nullptr) {
        return;
    }
    if (std::getenv("TALMIR_NO_HUGE_PAGES") != nullptr) {
        return;
    }
    std::string value = "glibc.malloc.hugetlb=1";
    if (tunables != nullptr && *tunables != '\0') {
        value = std::string(tunables) + ":" + value;
    }
    if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0) {
        return;
    }
    ::execv("/proc/self/exe", argv);
}

}  // namespace talmir
