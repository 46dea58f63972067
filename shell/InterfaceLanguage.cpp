#include "shell/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace mivarelo {

namespace {

const QString EnglishKey = QStringLiteral("EnglishInterface");

// The one translator of Qt's texts, owned by the application so that it
// goes with it; installed while the interface is Turkish.
QTranslator& QtTranslator() {
    static QPointer<QTranslator> translator;
    if (!translator) translator = new QTranslator(QCoreApplication::instance());
    return *translator;
}

} // namespace

bool StartsInEnglish(bool forceEnglish, bool screenshot, const QLocale& system) {
    if (forceEnglish) return true;
    if (screenshot) return false;
    const QVariant remembered = QSettings().value(EnglishKey);
    if (remembered.isValid()) return remembered.toBool();
    return system.language() != QLocale::Turkish;
}

void RememberInterfaceLanguage(bool english) {
    QSettings().setValue(EnglishKey, english);
}

bool ApplyQtTranslation(bool english) {
    QTranslator& translator = QtTranslator();
    QCoreApplication::removeTranslator(&translator);
    if (english) return true;
    if (!translator.load(QStringLiteral("qtbase_tr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

} // namespace mivarelo
