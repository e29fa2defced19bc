// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>

#include "cli/checked_output.h"

namespace {

const char* const PROGRAM = "velmor-cli";

const char* const DESCRIPTION =
    "Finds solar eclipses by the lunation-number method of Meeus's Astronomical\n"
    "Algorithms: lists them, draws them on a globe of the Earth and writes their\n"
    "lines for mapping tools; with --precise, and for the local circumstances of a\n"
    "place, it computes them again from modern theories of the Sun and the Moon.\n"
    "Dates and times typed and listed are dynamical time (TD), but for the map's\n"
    "half-hourly outline labels and the instants whose column ends in _ut, which\n"
    "are universal time (UT).";

const char* const EXIT_STATUS =
    "Exit status:\n"
    "  0   done\n"
    "  1   an output could not be written\n"
    "  2   a wrong argument or date\n";

// The help text: the usage line first, then what the command does, its options and, for
// the program itself, its commands; the program's help also describes every command, so
// that it is a complete manual.
class Help_Formatter : public CLI::Formatter {
  public:
    struct Text {
        std::string synopsis, summary;
    };
    std::map<const CLI::App*, Text> texts;

    Help_Formatter() { column_width(22); }

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode) const override {
        if (app->get_parent() != nullptr) {
            std::string out = "Usage: " + name + " " + texts.at(app).synopsis + "\n\n" +
                              app->get_description() + "\n" + Options(app);
            const std::string footer = make_footer(app);
            return footer.empty() ? out : out + "\n" + footer;
        }
        // The program's own help: every form of the command line, the commands, and then
        // each command's description and options.
        const std::vector<const CLI::App*> commands = app->get_subcommands(
            [this](const CLI::App* command) { return texts.count(command) != 0; });
        std::string out;
        for (const CLI::App* command : commands) {
            out += (out.empty() ? "Usage: " : "  or:  ") + name + " " + command->get_name() + " " +
                   texts.at(command).synopsis + "\n";
        }
        out += "  or:  " + name + " [COMMAND] --help | --version\n";
        out += "\n" + app->get_description() + "\n";
        out += make_subcommands(app, CLI::AppFormatMode::Normal);
        out += make_groups(app, CLI::AppFormatMode::Normal);
        for (const CLI::App* command : commands) {
            out += "\nCommand " + command->get_name() + ":\n" +
                   Indented(command->get_description()) + "\n" + Options(command, false);
            const std::string footer = make_footer(command);
            if (!footer.empty()) out += "\n" + Indented(footer);
        }
        return out + "\n" + make_footer(app);
    }

    std::string make_subcommand(const CLI::App* command) const override {
        std::ostringstream out;
        CLI::detail::format_help(out, command->get_name(), texts.at(command).summary,
                                 get_column_width());
        return out.str();
    }

    std::string make_option_name(const CLI::Option* option, bool) const override {
        std::string name = option->get_name(false, true);
        const size_t comma = name.find(',');
        if (comma != std::string::npos) name.insert(comma + 1, " ");
        return name;
    }

    // Only the value's name: exclusions and defaults are told in the descriptions.
    std::string make_option_opts(const CLI::Option* option) const override {
        const std::string& text = option->get_option_text();
        return text.empty() ? std::string() : " " + text;
    }

  private:
    static std::string Indented(const std::string& text) {
        std::string out;
        for (size_t at = 0; at < text.size();) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            out += "  " + text.substr(at, end - at) + "\n";
            at = end + 1;
        }
        return out;
    }

    // A command's options, under a heading or not, without the program's own --help and
    // --version.
    std::string Options(const CLI::App* command, bool heading = true) const {
        const std::vector<const CLI::Option*> options =
            command->get_options([](const CLI::Option* o) {
                return o->get_name() != "--help" && o->get_name() != "--version";
            });
        std::string out;
        for (const CLI::Option* option : options) out += make_option(option, false);
        return heading ? "\nOptions:\n" + out : out;
    }
};

// --help and --version act wherever they stand, as soon as they are read, before any value
// is checked.
void AddProgramOptions(CLI::App& app, const std::string& version) {
    app.set_help_flag();
    app.add_flag_callback(
           "-h,--help", [] { throw CLI::CallForHelp(); }, "show this help and exit")
        ->trigger_on_parse();
    app.add_flag_callback(
           "--version", [version] { throw CLI::CallForVersion(version, 0); },
           "show the version and exit")
        ->trigger_on_parse();
}

// The command being read when the error came, or the program itself.
const CLI::App* Chosen(const CLI::App& app) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    return chosen.empty() ? &app : chosen.front();
}

std::string Quoted(const std::string& word) {
    return "'" + word + "'";
}

// One line naming what is wrong: CLI11's own words, but where they do not name the
// argument. An unknown argument comes first, as it may explain the rest.
std::string ErrorLine(const CLI::App& app, const std::vector<std::string>& args,
                      const CLI::ParseError& error) {
    const CLI::App& command = *Chosen(app);
    const std::vector<std::string> extra = command.remaining();
    if (!extra.empty()) {
        const std::string& word = extra.front();
        if (word.size() > 1 && word[0] == '-') return "unknown option " + Quoted(word);
        if (&command == &app) return "unknown command " + Quoted(word);
        return "unexpected argument " + Quoted(word);
    }
    if (&command == &app && dynamic_cast<const CLI::RequiredError*>(&error) != nullptr)
        return "a command is required";
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        for (const CLI::Option* option : command.get_options()) {
            if (option->get_expected_max() == 1 && option->count() > 1) {
                const std::string names = option->get_name(false, true);  // "-o,--output"
                return names.substr(0, names.find(',')) + " given more than once";
            }
        }
        // An option that takes a value, with none left to take.
        const CLI::Option* last = args.empty() ? nullptr : command.get_option_no_throw(args.back());
        if (last != nullptr && last->get_expected_max() == 1) return args.back() + " needs a value";
    }
    return error.what();
}

}  // namespace

int ReportWriteError(const std::string& error) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.c_str());
    return 1;
}

int CloseStandardOutput(int status) {
    errno = 0;
    const bool failed = std::ferror(stdout) != 0;
    if (std::fclose(stdout) != 0 || failed) {
        if (status == 0) {
            return ReportWriteError(std::string("cannot write standard output: ") +
                                    std::strerror(errno != 0 ? errno : EIO));
        }
    }
    return status;
}

int RunCommandLine(const std::vector<std::string>& args, const std::vector<Cli_Command>& commands,
                   const std::string& version) {
    CLI::App app(DESCRIPTION, PROGRAM);
    auto formatter = std::make_shared<Help_Formatter>();
    app.formatter(formatter);
    app.footer(EXIT_STATUS);
    AddProgramOptions(app, version);
    app.require_subcommand(1);

    std::vector<std::pair<const CLI::App*, std::function<int()>>> runs;
    for (const Cli_Command& c : commands) {
        CLI::App* command = app.add_subcommand(c.name, c.description);
        command->group("Commands");
        command->footer(c.footer);
        runs.emplace_back(command, c.declare(*command));
        AddProgramOptions(*command, version);
        formatter->texts[command] = {c.synopsis, c.summary};
    }
    // "velmor-cli help" as a word of its own, as older versions took it; not listed.
    CLI::App* help = app.add_subcommand("help")->group("");
    AddProgramOptions(*help, version);
    runs.emplace_back(help, []() -> int { throw CLI::CallForHelp(); });

    Checked_Output out(stdout, "standard output");
    std::string error;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
        for (const auto& [command, run] : runs)
            if (command == Chosen(app)) return run();
        throw CLI::RequiredError("a command");
    } catch (const CLI::CallForHelp&) {
        out.Write(Chosen(app) == help
                      ? formatter->make_help(&app, PROGRAM, CLI::AppFormatMode::Normal)
                      : app.help());
    } catch (const CLI::CallForVersion& e) {
        out.Write(std::string(e.what()) + "\n");
    } catch (const CLI::ParseError& e) {
        std::string path = PROGRAM;
        if (Chosen(app) != &app) path += " " + Chosen(app)->get_name();
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", PROGRAM,
                     ErrorLine(app, args, e).c_str(), path.c_str());
        return 2;
    }
    return out.Finish(error) ? 0 : ReportWriteError(error);
}
