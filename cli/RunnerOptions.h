#pragma once
// The command line of mivarelo-run.
#include "core/ProgramFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mivarelo {

// A keyword dialect a program can be translated into.
struct Dialect {
    bool toTurkish = true;
    bool toLong = true;
};

// "tr-long", "tr-short", "en-long" or "en-short"; nothing for other texts.
std::optional<Dialect> ParseDialect(const std::string& name);

struct RunnerOptions {
    std::optional<std::string> programFile;
    std::vector<std::string> execLines;                          // -e, UTF-8
    std::vector<std::pair<std::string, std::string>> procedures; // --define header, body
    std::vector<std::string> evalExpressions;                    // --eval, UTF-8
    std::optional<Dialect> dialect;
    std::string savePath;
    std::string pngPath;
    std::string svgPath;
    std::string htmlPath;
    std::string thumbnailPath;
    bool printProgram = false;
    bool printState = false;
    bool english = false;
    bool acceptSpace = true;
    bool autoCorrect = true;
    bool stopAtErrors = false;
    bool noWait = false;
    bool fastPaths = true;
    bool drawingList = true;
    bool help = false;
    bool version = false;
    std::optional<std::uint64_t> maxLines;
    std::optional<double> timeLimit; // seconds
    // --gallery OUT_DIR: the programs and folders to run, each in a process
    // of its own, `jobs` at a time, compared with `reference` when given.
    std::string galleryDir;
    std::vector<std::string> galleryInputs;
    std::optional<int> jobs;
    std::string reference;
    bool precise = false;
    LogoTextKind logoKind = LogoTextKind::Detect;
};

// Fills `options` from the arguments. On a usage error returns its one-line
// description.
std::optional<std::string> ParseRunnerOptions(const std::vector<std::string>& args,
                                              RunnerOptions& options);
// The --help text.
const char* RunnerUsage();

} // namespace mivarelo
