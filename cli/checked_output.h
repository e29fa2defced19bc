// SPDX-License-Identifier: GPL-3.0-or-later
// Writing to standard output (or another open stream) without losing a failure: the
// first failing write is remembered with the system's reason, and nothing more is
// written after it.
#pragma once

#include <cstdio>
#include <string>

class Checked_Output {
  public:
    // name says what the stream is in an error, as "standard output".
    Checked_Output(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

    // False once a write has failed.
    bool Write(const std::string& text);
    bool Print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Flushes the stream; false with error ("cannot write NAME: reason") when it or any
    // earlier write failed.
    bool Finish(std::string& error);

  private:
    bool Fail();

    std::FILE* file_;
    std::string name_;
    int reason_ = 0;  // errno of the first failure, 0 while none
};
