#pragma once
// The interface language across starts, and Qt's own texts in it. The
// user's choice is kept in the application settings; the very first start
// follows the system's locale. Qt's dialogs and standard buttons (the file
// and colour dialogs, "Cancel") speak the language through Qt's "qtbase"
// catalogue, loaded from Qt's translations folder.
class QLocale;

namespace mivarelo {

// Whether a start speaks English. `forceEnglish` (--english) always does; a
// screenshot run otherwise speaks Turkish, so that its pictures do not
// depend on what an earlier start chose; any other start speaks the
// language chosen last, and the very first one the language of `system`:
// Turkish for a Turkish locale, English for any other.
bool StartsInEnglish(bool forceEnglish, bool screenshot, const QLocale& system);
// Keeps `english` as the language of the next start.
void RememberInterfaceLanguage(bool english);
// Puts Qt's catalogue of the language in use in the application: qtbase_tr
// for Turkish, none for English (Qt's own texts are English). False when
// the Turkish catalogue is not installed; Qt then speaks English.
bool ApplyQtTranslation(bool english);

} // namespace mivarelo
