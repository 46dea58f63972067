#pragma once
// File -> Examples: one entry per installed sample program, named in the
// interface language. The folder's examples.txt lists the programs in menu
// order with a Turkish and an English name; a program missing from the list
// still gets an entry under its file name, and a listed file that is not
// there gets none. The entries are made again each time the menu opens, so
// they follow the interface language and the folder's contents.
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
    // The entries of `folder` in menu order, named in English or Turkish.
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
