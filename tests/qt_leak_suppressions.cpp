// SPDX-License-Identifier: GPL-3.0-or-later
// Leak reports the address sanitizer should not make in tests that use Qt: the system's
// font library keeps caches it never frees. Read by the sanitizer at start-up; unused in
// builds without it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
