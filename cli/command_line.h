// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli's command line, read by CLI11: the program's own options (--help, --version),
// its commands, the help text of each, and one way of reporting a wrong argument.
//
// Exit statuses: 0 done (also after --help and --version); 1 an output could not be
// written (one line naming it and the system's reason); 2 a wrong argument or date (one
// line naming the option, then a hint to --help; nothing on standard output, no file
// written).
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

// One command of velmor-cli. declare adds the command's options to `command` and returns
// the function that runs it once the whole command line has been read. That function may
// still refuse an argument by throwing a CLI::ParseError (before it writes anything);
// otherwise it returns the exit status.
struct Cli_Command {
    const char* name;
    const char* summary;   // one line for the program's list of commands
    const char* synopsis;  // the command's options, as its usage line shows them
    const char* description;
    const char* footer;  // printed after the options; may be empty
    std::function<std::function<int()>(CLI::App& command)> declare;
};

// Reads args (the words after the program's name) and runs the command they choose.
// Returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, const std::vector<Cli_Command>& commands,
                   const std::string& version);

// Reports an output that could not be written ("cannot write ...: reason") on standard
// error and returns the exit status 1.
int ReportWriteError(const std::string& error);

// Closes standard output at the end of the program, so that a failure to write what was
// still buffered is noticed too; a program that would exit with 0 then exits with 1.
int CloseStandardOutput(int status);
