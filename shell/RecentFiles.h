#pragma once
// The five most recently used program files, newest first, kept in the
// user's settings under "MivareloMruList" as "MRU1".."MRU5". An empty entry
// is a free slot.
#include <QStringList>

namespace mivarelo {

class RecentFiles {
public:
    static constexpr int Count = 5;

    RecentFiles();

    // Reads the five entries; what cannot be read stays empty.
    void Load();
    void Save() const;
    // The path goes to the front; an entry equal to it without regard to
    // case leaves its old place, and the oldest of six falls off.
    void Add(const QString& path);
    const QStringList& Entries() const { return entries_; }

private:
    QStringList entries_;
};

} // namespace mivarelo
