// The command table against the command reference the help window shows
// (resources/help/commands-*.txt): every command has its line in both
// languages, keyed by its long words, and every line names a command of the
// table; and the table's row lookup by code.
#include "core/CommandTable.h"

#include "core/Encoding.h"
#include "core/Keywords.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace mivarelo;

namespace {

enum Column { Turkish, English, Also, Meaning, Argument, Example, WrongUse, ColumnCount };

struct ReferenceLine {
    int number;
    // Windows-1254, as the table spells its words.
    std::vector<std::string> cells;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

// The command lines of a reference file; '#' starts a comment line.
std::vector<ReferenceLine> ReadReference(const char* name) {
    std::ifstream in(std::filesystem::path(MIVARELO_SOURCE_DIR) / "resources" / "help" / name);
    EXPECT_TRUE(in.is_open()) << name;
    std::vector<ReferenceLine> lines;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line.starts_with('#')) continue;
        lines.push_back({number, SplitTabs(Utf8ToCp1254(line))});
    }
    return lines;
}

// The words a row's reference line is keyed by: its long word of the
// column's language, or the other language's long word when it has none.
std::string KeyWord(const CommandRow& row, DialectColumn language) {
    const DialectColumn other = language == DialectColumn::TurkishLong ? DialectColumn::EnglishLong
                                                                       : DialectColumn::TurkishLong;
    const CommandWord& word = row.Word(language).Present() ? row.Word(language) : row.Word(other);
    return word.spelling;
}

// What the argument column says for a command that takes none, and for one
// that ignores what it is given.
struct ArgumentWords {
    std::string none;
    std::string ignored;
};

void CheckReference(const char* name, const ArgumentWords& words) {
    SCOPED_TRACE(name);
    std::map<const CommandRow*, int> linesOfRow;
    for (const ReferenceLine& line : ReadReference(name)) {
        SCOPED_TRACE("line " + std::to_string(line.number));
        ASSERT_EQ(line.cells.size(), static_cast<std::size_t>(ColumnCount));
        const std::vector<std::string>& cells = line.cells;
        const CommandRow* row = RowOf(LookupCommand(cells[Turkish]));
        ASSERT_NE(row, nullptr) << cells[Turkish] << " is no command of the table";
        EXPECT_EQ(RowOf(LookupCommand(cells[English])), row) << cells[English];
        EXPECT_EQ(cells[Turkish], KeyWord(*row, DialectColumn::TurkishLong));
        EXPECT_EQ(cells[English], KeyWord(*row, DialectColumn::EnglishLong));
        // The help window finds a further spelling that translation does not
        // lead to only through this column.
        const bool aliasNeedsColumn =
            row->alias.Present() && row->translation == TranslationRule::KeptAsWritten;
        if (aliasNeedsColumn || !cells[Also].empty()) {
            EXPECT_EQ(cells[Also], row->alias.Present() ? row->alias.spelling : "");
        }
        EXPECT_EQ(cells[Argument] == words.none, row->argument == ArgumentKind::None)
            << cells[Argument];
        EXPECT_EQ(cells[Argument] == words.ignored, row->argument == ArgumentKind::Ignored)
            << cells[Argument];
        ++linesOfRow[row];
    }
    for (const CommandRow& row : CommandRows())
        EXPECT_EQ(linesOfRow[&row], 1) << KeyWord(row, DialectColumn::EnglishLong);
}

} // namespace

TEST(CommandTable, EveryCommandHasOneLineInTheEnglishReference) {
    CheckReference("commands-english.txt", {"none", "ignored"});
}

TEST(CommandTable, EveryCommandHasOneLineInTheTurkishReference) {
    CheckReference("commands-turkish.txt", {"yok", Utf8ToCp1254("yok sayılır")});
}

TEST(CommandTable, EveryWordLeadsToItsCommandsRow) {
    EXPECT_EQ(RowOf(CodeOf(Keyword::ForwardTrShort)), &RowOf(Keyword::Forward));
    EXPECT_EQ(RowOf(Keyword::RightTrAlias).Name(), Keyword::Right);
    EXPECT_EQ(RowOf(Keyword::PaintTr).Name(), Keyword::PaintTr);
    EXPECT_EQ(RowOf(Keyword::PenPaintTr).Name(), Keyword::PenPaint);
    EXPECT_TRUE(IsCommand(CodeOf(Keyword::SetHomeTrAlias), Keyword::SetHome));
    EXPECT_TRUE(IsCommand(CodeOf(Keyword::RepeatTr), Keyword::Repeat));
    EXPECT_FALSE(IsCommand(CodeOf(Keyword::Stop), Keyword::Bye));
    for (const CommandCode code :
         {UnknownCode, KeywordCount + 1, AssignmentCode, ProcedureCodeBase}) {
        EXPECT_EQ(RowOf(code), nullptr) << code;
        EXPECT_FALSE(IsCommand(code, Keyword::Repeat)) << code;
    }
    EXPECT_EQ(AsKeyword(CodeOf(Keyword::SetShapeTr)), Keyword::SetShapeTr);
    EXPECT_EQ(AsKeyword(KeywordCount + 1), std::nullopt);
    EXPECT_EQ(AsKeyword(UnknownCode), std::nullopt);
}
