#pragma once
// "Set Default Software": makes a Mivarelo program the user's default for
// ".elg" program files and ".lgo" Logo texts on a freedesktop desktop. Into
// the user's data folder (~/.local/share) go the desktop entry, whose Exec
// line starts the given program, the MIME definition of both types and the
// icon, all as the package installs them; in the user's mimeapps.list
// (~/.config) the desktop entry becomes the default application of both
// types, every other line of that file is kept. Then the desktop and MIME
// caches of the user's data folder are rebuilt when their tools are
// installed. The message of the result is in the interface language.
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace mivarelo {

class FileAssociation {
public:
    struct Result {
        bool succeeded = false;
        // For the user: what was written, or why and where it failed.
        QString message;
    };

    // Writes the association for `programPath`; nothing is written when the
    // path is empty or names no file.
    static Result Register(const QString& programPath = QCoreApplication::applicationFilePath());

    // The desktop entry's file name, the same as the installed one.
    static QString DesktopFileName();
    // The MIME types of ".elg" and ".lgo" files.
    static QStringList MimeTypes();
    // The Exec value that starts `programPath` with the opened file: the
    // path, quoted and escaped as desktop entries need it, then "%f".
    static QString ExecLine(const QString& programPath);
    // `current` (the text of a mimeapps.list, possibly empty) with `desktopFile`
    // as the default application of `types` under [Default Applications];
    // other entries and sections stay as they are.
    static QString WithDefaults(const QString& current, const QStringList& types,
                                const QString& desktopFile);
};

} // namespace mivarelo
