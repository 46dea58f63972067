// Importing plain Logo files (the program's own export and classic Logo),
// exporting them again, and translating the imported program between the
// keyword dialects. The input is the file's bytes.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/ConversionReport.h"
#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "core/ProcedureStore.h"
#include "core/TextReaders.h"
#include "core/Translation.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

struct Dialect {
    bool toTurkish;
    bool toLong;
};
constexpr std::array<Dialect, 4> Dialects = {
    {{true, true}, {true, false}, {false, true}, {false, false}}};

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ProcedureStore Translated(const ProcedureStore& program, const Dialect& dialect) {
    ProcedureStore copy = program;
    TranslateProgram(copy, dialect.toTurkish, dialect.toLong, false);
    return copy;
}

// Once a program is in one dialect, a trip through another dialect brings
// it back to the same text. Each dialect goes through its two neighbours in
// the table, so every pair of dialects is tried in both directions.
void CheckTranslations(const ProcedureStore& program) {
    for (std::size_t t = 0; t < Dialects.size(); ++t) {
        const ProcedureStore once = Translated(program, Dialects[t]);
        for (const std::size_t step : {1u, 2u}) {
            const Dialect& other = Dialects[(t + step) % Dialects.size()];
            const ProcedureStore back = Translated(Translated(once, other), Dialects[t]);
            Require(back.Bodies() == once.Bodies(), "a dialect round trip changes the program");
        }
    }
}

// The file without its empty lines and without the lines numbered in
// `left` (1-based).
std::string NonEmptyLines(const std::string& text, const std::vector<int>& left = {}) {
    std::string lines;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        ++number;
        const bool isLeft = std::find(left.begin(), left.end(), number) != left.end();
        if (line != "\r" && !line.empty() && !isLeft) lines += line + "\n";
        start = end + 1;
    }
    return lines;
}

// A plain Logo header writes blanks as '_' and reads only "_:" back as " :".
// A header comes back as it was only when every word after its name is an
// argument (":a") and the name itself holds no "_:"; other programs are
// exported but not compared.
bool HeadersSurviveExport(const ProcedureStore& program) {
    for (const std::string& header : program.Headers()) {
        const auto [name, rest] = SplitFirstWord(header);
        if (name.find("_:") != std::string::npos) return false;
        Cursor c(rest);
        while (!c.AtEnd()) {
            const std::string word = ReadUntil(c, ' ', true);
            if (!word.empty() && word.front() != ':') return false;
        }
    }
    return true;
}

// The export of a program, imported again, exports to the same file, but
// for the commands it wrote as they stand: the import leaves out only such
// lines, and reports them. (The export counts commands it wrote as comments,
// those beginning with "to" or "end", as well; the import keeps those.)
void CheckExport(ProcedureStore& program) {
    const std::string first = FuzzEnvironment::ScratchPath("first.lgo");
    const std::string second = FuzzEnvironment::ScratchPath("second.lgo");
    int keptAsWritten = 0;
    Require(WriteProgramFile(program, first, &keptAsWritten), "the export must be written");
    ProcedureStore imported;
    ConversionReport report;
    Require(ImportLogoText(imported, first, LogoTextKind::Detect, &report),
            "the export must import");
    Require(WriteProgramFile(imported, second), "the second export must be written");
    if (!HeadersSurviveExport(program)) return;
    std::vector<int> left;
    for (const ConversionEntry& entry : report.Dropped())
        left.push_back(entry.line);
    Require(static_cast<int>(left.size()) <= keptAsWritten,
            "the import leaves out other lines than the export kept as written");
    Require(NonEmptyLines(ReadBytes(first), left) == NonEmptyLines(ReadBytes(second)),
            "export, import and export differ");
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    const std::string input = FuzzEnvironment::ScratchPath("input.lgo");
    WriteBytes(input, data, size);
    ProcedureStore program;
    ConversionReport report;
    Require(ImportLogoText(program, input, LogoTextKind::Detect, &report),
            "a readable file must import");
    report.Lines();
    ProgramListing(program);
    CheckTranslations(program);
    CheckExport(program);
    return 0;
}
