#pragma once
// The command reference in one interface language, read from the table that
// the program carries as a resource (:/help/commands-<language>.txt): per
// command its four dialect words, further synonyms, what it does, its
// argument, an example and a common wrong use with the error it gives.
#include "core/Keywords.h"

#include <QString>

#include <set>
#include <vector>

namespace mivarelo {

struct ReferenceEntry {
    // The row's Turkish and English long keywords; `also` a synonym that no
    // translation produces (0 when none).
    CommandCode turkish = UnknownCode;
    CommandCode english = UnknownCode;
    CommandCode also = UnknownCode;
    QString meaning;
    QString argument;
    QString example;
    QString wrongUse;
};

class CommandReference {
public:
    explicit CommandReference(bool english);

    const std::vector<ReferenceEntry>& Entries() const { return entries_; }
    // The entry that holds `code` among its words, or -1.
    int EntryOf(CommandCode code) const;
    // The entry of the keyword that the word was meant to be: the word
    // itself, else the longest keyword it begins with (as in "ileri100");
    // -1 when it begins with none.
    int EntryOfWord(const QString& word) const;

    // Every keyword of the entry: its four dialect words, the synonyms that
    // translate into them, and `also`.
    static std::set<CommandCode> Members(const ReferenceEntry& entry);
    // The Turkish long, Turkish short, English long and English short word.
    static std::vector<CommandCode> DialectWords(const ReferenceEntry& entry);
    // The error-list entry that running the wrong use as line 1 writes.
    static QString WrongUseError(const ReferenceEntry& entry);

private:
    std::vector<ReferenceEntry> entries_;
};

} // namespace mivarelo
