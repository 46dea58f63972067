#include "shell/RecentFiles.h"

#include <QSettings>

namespace mivarelo {

namespace {

const QString Group = QStringLiteral("MivareloMruList");

QString Key(int i) {
    return QStringLiteral("MRU%1").arg(i + 1);
}

} // namespace

RecentFiles::RecentFiles() {
    for (int i = 0; i < Count; ++i)
        entries_ << QString();
}

void RecentFiles::Load() {
    QSettings settings;
    settings.beginGroup(Group);
    for (int i = 0; i < Count; ++i)
        entries_[i] = settings.value(Key(i)).toString();
}

void RecentFiles::Save() const {
    QSettings settings;
    settings.beginGroup(Group);
    for (int i = 0; i < Count; ++i)
        settings.setValue(Key(i), entries_[i]);
}

void RecentFiles::Add(const QString& path) {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].compare(path, Qt::CaseInsensitive) == 0) {
            entries_.removeAt(i);
            break;
        }
    }
    entries_.prepend(path);
    while (entries_.size() > Count)
        entries_.removeLast();
    while (entries_.size() < Count)
        entries_ << QString();
}

} // namespace mivarelo
