#include "cli/RunnerOptions.h"

#include <charconv>
#include <cmath>

namespace mivarelo {

namespace {

struct Flag {
    const char* name;
    bool RunnerOptions::*field;
    bool value;
};

constexpr Flag Flags[] = {
    {"--state", &RunnerOptions::printState, true},
    {"--print-program", &RunnerOptions::printProgram, true},
    {"--english", &RunnerOptions::english, true},
    {"--no-accept-space", &RunnerOptions::acceptSpace, false},
    {"--no-autocorrect", &RunnerOptions::autoCorrect, false},
    {"--stop-at-errors", &RunnerOptions::stopAtErrors, true},
    {"--no-wait", &RunnerOptions::noWait, true},
    {"--no-fast-paths", &RunnerOptions::fastPaths, false},
    {"--no-drawing-list", &RunnerOptions::drawingList, false},
    {"--help", &RunnerOptions::help, true},
    {"-h", &RunnerOptions::help, true},
    {"--version", &RunnerOptions::version, true},
    {"--precise", &RunnerOptions::precise, true},
};

bool SetFlag(const std::string& arg, RunnerOptions& options) {
    if (arg == "--import-classic" || arg == "--import-native") {
        options.logoKind = arg == "--import-classic" ? LogoTextKind::Classic : LogoTextKind::Native;
        return true;
    }
    for (const Flag& flag : Flags) {
        if (arg != flag.name) continue;
        options.*flag.field = flag.value;
        return true;
    }
    return false;
}

std::optional<std::uint64_t> ParseCount(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<double> ParseSeconds(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

// Reads the options that take values. `k` is on the option and moves to its
// last value. Returns false for an option it does not know.
bool TakeValued(const std::vector<std::string>& args, std::size_t& k, RunnerOptions& options,
                std::optional<std::string>& error) {
    const std::string& arg = args[k];
    const std::size_t needed = arg == "--define" ? 2 : 1;
    const bool known = arg == "-e" || arg == "--exec" || arg == "--png" || arg == "--svg" ||
                       arg == "--eval" || arg == "--max-lines" || arg == "--define" ||
                       arg == "--dialect" || arg == "--save" || arg == "--html" ||
                       arg == "--thumbnail" || arg == "--time-limit" || arg == "--gallery" ||
                       arg == "--jobs" || arg == "--reference";
    if (!known) return false;
    if (k + needed >= args.size()) {
        error = arg + " needs " + (needed == 2 ? "two values" : "a value");
        return true;
    }
    const std::string& value = args[++k];
    if (arg == "-e" || arg == "--exec") options.execLines.push_back(value);
    if (arg == "--png") options.pngPath = value;
    if (arg == "--svg") options.svgPath = value;
    if (arg == "--save") options.savePath = value;
    if (arg == "--html") options.htmlPath = value;
    if (arg == "--thumbnail") options.thumbnailPath = value;
    if (arg == "--gallery") options.galleryDir = value;
    if (arg == "--reference") options.reference = value;
    if (arg == "--time-limit") {
        options.timeLimit = ParseSeconds(value);
        if (!options.timeLimit) error = "--time-limit needs a number of seconds above 0: " + value;
    }
    if (arg == "--jobs") {
        const std::optional<std::uint64_t> jobs = ParseCount(value);
        if (jobs && *jobs >= 1 && *jobs <= 64)
            options.jobs = static_cast<int>(*jobs);
        else
            error = "--jobs needs a whole number from 1 to 64: " + value;
    }
    if (arg == "--eval") options.evalExpressions.push_back(value);
    if (arg == "--define") options.procedures.emplace_back(value, args[++k]);
    if (arg == "--dialect") {
        options.dialect = ParseDialect(value);
        if (!options.dialect)
            error = "unknown dialect: " + value + " (tr-long, tr-short, en-long or en-short)";
    }
    if (arg == "--max-lines") {
        options.maxLines = ParseCount(value);
        if (!options.maxLines) error = "--max-lines needs a whole number of 0 or more: " + value;
    }
    return true;
}

} // namespace

std::optional<Dialect> ParseDialect(const std::string& name) {
    if (name == "tr-long") return Dialect{true, true};
    if (name == "tr-short") return Dialect{true, false};
    if (name == "en-long") return Dialect{false, true};
    if (name == "en-short") return Dialect{false, false};
    return std::nullopt;
}

std::optional<std::string> ParseRunnerOptions(const std::vector<std::string>& args,
                                              RunnerOptions& options) {
    std::optional<std::string> error;
    std::vector<std::string> files;
    for (std::size_t k = 0; k < args.size() && !error; ++k) {
        const std::string& arg = args[k];
        if (SetFlag(arg, options) || TakeValued(args, k, options, error)) continue;
        if (arg.size() > 1 && arg.front() == '-') return "unknown option: " + arg;
        files.push_back(arg);
    }
    if (error) return error;
    if (!options.galleryDir.empty()) {
        if (files.empty()) return "--gallery needs program files or folders to run";
        options.galleryInputs = files;
        return std::nullopt;
    }
    if (options.jobs || !options.reference.empty())
        return std::string(options.jobs ? "--jobs" : "--reference") + " needs --gallery";
    if (files.size() > 1) return "more than one program file: " + files[1];
    if (!files.empty()) options.programFile = files.front();
    return std::nullopt;
}

const char* RunnerUsage() {
    return "Usage: mivarelo-run [options] [FILE]\n"
           "Runs the main procedure (procedure 0) of a Logo program without a window.\n"
           "FILE is a program file: plain Logo text when its path contains \".lgo\" (in\n"
           "any letter case; imported, see --import-classic and --import-native),\n"
           "otherwise the native \".elg\" format. A file without any\n"
           "procedure (an empty file, for one) gives a program with an empty main\n"
           "procedure and a warning. Without FILE and without -e the main procedure's\n"
           "lines are read from standard input (UTF-8).\n"
           "Only a regular file is read (no folder, device or FIFO), up to 2 MB for\n"
           "plain Logo text and 32 MB for a native file; standard input stops at\n"
           "32 MB.\n"
           "\n"
           "The work is done in this order: load FILE (or start an empty program),\n"
           "add the --define procedures, append the -e lines to the main procedure,\n"
           "translate (--dialect), print (--print-program), save (--save), run.\n"
           "The lines the program's \"print\" writes go to standard output as it\n"
           "runs, before what --state and --eval print.\n"
           "\n"
           "  -e, --exec TEXT        a line of the main procedure (repeatable, in order)\n"
           "  --define HEADER BODY   add a procedure (repeatable), e.g.\n"
           "                         --define 'square :a' 'repeat 4 [fd :a rt 90]'\n"
           "  --dialect D            rewrite every procedure body into dialect D: tr-long,\n"
           "                         tr-short, en-long or en-short\n"
           "  --print-program        print the program in UTF-8 before the run: per\n"
           "                         procedure its header line, then its body lines;\n"
           "                         one empty line between procedures\n"
           "  --save PATH            save the program before the run: plain Logo text when\n"
           "                         PATH contains \".lgo\" (translated to en-long first),\n"
           "                         otherwise the native \".elg\" format\n"
           "  --png PATH             save the picture as PNG after the run\n"
           "  --svg PATH             save the picture as SVG after the run: every line,\n"
           "                         ellipse, label and fill in drawing order (fills\n"
           "                         as embedded images)\n"
           "  --html PATH            save the program as an HTML page after the run, in\n"
           "                         the editor's colours, with the run's errors\n"
           "  --thumbnail PATH       save the drawn part of the picture as a PNG of at\n"
           "                         most 240 x 240 pixels (none when nothing is drawn)\n"
           "  --state                print the final turtle state as JSON, with the number\n"
           "                         and the bounding box of the pixels that differ from\n"
           "                         the screen colour\n"
           "  --eval EXPR            print the value of EXPR after the run (repeatable)\n"
           "  --english              English interface language (default Turkish)\n"
           "  --no-accept-space      do not split commands separated only by blanks\n"
           "  --no-autocorrect       do not retry unknown commands as keyword prefixes\n"
           "  --stop-at-errors       end a list at its first failing line\n"
           "  --max-lines N          stop the run after N executed lines; with 0 the\n"
           "                         program is not run at all (convert or print only)\n"
           "  --time-limit SECONDS   stop the run after SECONDS of running\n"
           "  --no-wait              skip the pauses of wait\n"
           "  --precise              precise turtle: positions in real numbers, distances\n"
           "                         not truncated (the picture stays in whole pixels)\n"
           "  --import-classic       read a plain Logo FILE as classic Logo (converted;\n"
           "                         what cannot be converted is listed as warnings on\n"
           "                         standard error, exit status 1; turns --precise on)\n"
           "  --import-native        read a plain Logo FILE as this program's own export\n"
           "                         (default: own exports are recognised by their two\n"
           "                         comment lines, any other file is classic Logo)\n"
           "  --no-fast-paths        read every expression, condition and assignment\n"
           "                         from its text at each pass instead of analysing it\n"
           "                         once per run (same results, slower; for comparison)\n"
           "  --no-drawing-list      keep only the pixels, not the list of what was drawn\n"
           "                         (for comparison; --svg then holds one image)\n"
           "  --help, --version\n"
           "\n"
           "A class's programs at once: mivarelo-run --gallery OUT_DIR FILE_OR_FOLDER...\n"
           "runs every \".elg\" and \".lgo\" file given or found in the folders (and in\n"
           "their folders, one level down), each in a process of its own, and writes\n"
           "OUT_DIR/index.html (a card per program: its picture, procedures, lines,\n"
           "time and first errors), OUT_DIR/summary.json and per program its PNG, SVG\n"
           "and HTML page. With --gallery:\n"
           "  --jobs N               programs run at once (default: the processor cores)\n"
           "  --max-lines N          line budget of each program (default 1000000)\n"
           "  --time-limit SECONDS   time limit of each program (default 10)\n"
           "  --reference MODEL      also run MODEL and show how close each picture is\n"
           "                         to its picture, in percent\n"
           "  --english              the page in English\n"
           "\n"
           "Exit status: 0 no error line, 1 error lines written or lines left out by the\n"
           "import, 2 usage error,\n"
           "unreadable program file or failed save, 3 stopped by --max-lines,\n"
           "--time-limit or too deep nesting. With --gallery: 0 every program ran\n"
           "without errors, 1 some had errors or were stopped, 2 a file could not be\n"
           "read or OUT_DIR not written (the other programs still run).\n";
}

} // namespace mivarelo
