#include "platform/exe_path.h"

#include <unistd.h>

namespace platform {

unsigned GetModuleFileName(char* buffer, unsigned size) {
    if (buffer == nullptr || size == 0) return 0;
    if (size > EXE_PATH_MAX) size = EXE_PATH_MAX;
    ssize_t n = ::readlink("/proc/self/exe", buffer, size - 1);
    if (n < 0) n = 0;
    buffer[n] = '\0';
    return static_cast<unsigned>(n);
}

}  // namespace platform
