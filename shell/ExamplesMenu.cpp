#include "shell/ExamplesMenu.h"

#include "core/GlobalSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace mivarelo {

ExamplesMenu::ExamplesMenu(QMenu* menu, QString folder, QObject* parent)
    : QObject(parent), menu_(menu), folder_(std::move(folder)) {
    connect(menu_, &QMenu::aboutToShow, this, &ExamplesMenu::Fill);
    Fill();
}

QString ExamplesMenu::DefaultFolder() {
    const QString base = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {base + "/examples", base + "/../share/mivarelo/examples", base + "/../../examples"}) {
        if (QFileInfo(candidate).isDir()) return QDir(candidate).absolutePath();
    }
    return QString();
}

QList<ExamplesMenu::Entry> ExamplesMenu::Entries(const QString& folder, bool english) {
    const QDir programs(QDir(folder).filePath(english ? "en" : "tr"));
    QList<Entry> entries;
    QStringList listed;
    QFile index(QDir(folder).filePath("examples.txt"));
    if (index.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(index.readAll()).split('\n')) {
            const QStringList fields = line.split('\t');
            if (line.startsWith('#') || fields.size() != 3) continue;
            listed << fields[0];
            if (QFileInfo(programs.filePath(fields[0])).isFile())
                entries.append({programs.filePath(fields[0]), fields[english ? 2 : 1].trimmed()});
        }
    }
    for (const QString& file : programs.entryList({"*.elg"}, QDir::Files, QDir::Name))
        if (!listed.contains(file))
            entries.append({programs.filePath(file), QFileInfo(file).baseName()});
    return entries;
}

void ExamplesMenu::Fill() {
    menu_->clear();
    for (const Entry& entry : Entries(folder_, Globals().EnglishInterface)) {
        const QString path = entry.path;
        connect(menu_->addAction(entry.name), &QAction::triggered, this,
                [this, path] { emit ExampleChosen(path); });
    }
}

} // namespace mivarelo
