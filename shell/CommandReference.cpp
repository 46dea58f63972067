#include "shell/CommandReference.h"

#include "core/CaseFold.h"
#include "core/LineParser.h"
#include "widgets/QtText.h"

#include <QFile>
#include <QStringList>

namespace mivarelo {

namespace {

enum Column { Turkish, English, Also, Meaning, Argument, Example, WrongUse, ColumnCount };

CommandCode CodeOf(const QString& word) {
    return word.isEmpty() ? UnknownCode : LookupCommand(FromQt(word));
}

} // namespace

// Lines starting with '#' are comments; a line with too few columns or an
// unknown keyword is skipped rather than shown wrong.
CommandReference::CommandReference(bool english) {
    QFile file(english ? QStringLiteral(":/help/commands-english.txt")
                       : QStringLiteral(":/help/commands-turkish.txt"));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList cells = line.split(u'\t');
        if (cells.size() < ColumnCount) continue;
        ReferenceEntry entry{CodeOf(cells[Turkish]), CodeOf(cells[English]), CodeOf(cells[Also]),
                             cells[Meaning],         cells[Argument],        cells[Example],
                             cells[WrongUse]};
        if (entry.turkish == UnknownCode || entry.english == UnknownCode) continue;
        entries_.push_back(entry);
    }
}

int CommandReference::EntryOf(CommandCode code) const {
    if (code <= UnknownCode || code > KeywordCount) return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (Members(entries_[i]).contains(code)) return static_cast<int>(i);
    return -1;
}

int CommandReference::EntryOfWord(const QString& word) const {
    const std::string folded = TurkishLower(FromQt(word));
    const CommandCode code = LookupCommand(folded);
    if (code != UnknownCode) return EntryOf(code);
    CommandCode longest = UnknownCode;
    std::size_t length = 0;
    for (CommandCode k = 1; k <= KeywordCount; ++k) {
        const std::string keyword = KeywordOf(k);
        if (keyword.size() > length && folded.starts_with(keyword)) {
            longest = k;
            length = keyword.size();
        }
    }
    return EntryOf(longest);
}

std::set<CommandCode> CommandReference::Members(const ReferenceEntry& entry) {
    const CommandCode turkish = TranslateCode(entry.turkish, true, true);
    const CommandCode english = TranslateCode(entry.english, true, true);
    std::set<CommandCode> members;
    for (CommandCode code = 1; code <= KeywordCount; ++code) {
        const CommandCode target = TranslateCode(code, true, true);
        if (target == turkish || target == english || code == entry.also) members.insert(code);
    }
    return members;
}

std::vector<CommandCode> CommandReference::DialectWords(const ReferenceEntry& entry) {
    return {TranslateCode(entry.turkish, true, true), TranslateCode(entry.turkish, true, false),
            TranslateCode(entry.english, false, true), TranslateCode(entry.english, false, false)};
}

// The wrong uses of the table are words the parser cannot read, so the run
// reports the first word of the line.
QString CommandReference::WrongUseError(const ReferenceEntry& entry) {
    const QString word = entry.wrongUse.section(u' ', 0, 0);
    return ToQt(UnknownWordText(FromQt(word), 1));
}

} // namespace mivarelo
