// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/vector_state.h"

namespace platform {

void ClearVectorUpperState() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) __asm__ volatile("vzeroupper");
#endif
}

}  // namespace platform
