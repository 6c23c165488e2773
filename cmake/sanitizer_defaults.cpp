// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The sanitizer settings that every program of a -DTOLVARN_SANITIZE=ON build starts with.
// The sanitizer runtimes look these functions up before main(); variables in the
// environment are applied after them and so take precedence.

extern "C" {

// Stop at the first fault, and report leaks also from the children of death tests that
// return from main. Programs that end through _Exit, as the game does, skip the leak
// check by design: the process is gone, and with it everything it held.
const char *__asan_default_options()
{
    return "halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:"
           "strict_init_order=1:check_initialization_order=1";
}

const char *__ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}

} // extern "C"
