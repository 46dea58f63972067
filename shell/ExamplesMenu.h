#pragma once
// File -> Examples: one entry per installed sample program, named in and
// written in the interface language. Every program exists twice under one
// file name, in Turkish in the folder's tr/ and in English in its en/; the
// folder's examples.txt lists the file names in menu order with a Turkish
// and an English name. A program of the language's folder missing from the
// list still gets an entry under its file name, and a listed file that is not
// there gets none. The entries are made again each time the menu opens, so
// they follow the interface language and the folders' contents.
#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace mivarelo {

class ExamplesMenu : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString path;
        QString name;
    };

    // Fills `menu` from `folder` whenever it is about to be shown.
    ExamplesMenu(QMenu* menu, QString folder, QObject* parent = nullptr);

    // The sample programs lie beside the program, or in the shared data
    // folder of an installation; empty when neither exists.
    static QString DefaultFolder();
    // The entries of `folder` in menu order, named in English or Turkish and
    // leading to the programs of its en/ or tr/.
    static QList<Entry> Entries(const QString& folder, bool english);

    const QString& Folder() const { return folder_; }

signals:
    void ExampleChosen(const QString& path);

private:
    void Fill();

    QMenu* menu_;
    QString folder_;
};

} // namespace mivarelo
