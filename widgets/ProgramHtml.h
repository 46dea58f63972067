#pragma once
// The program as one standalone HTML page, for handing in or putting on a
// class website, and for printing: every procedure under its header, each
// line with its number and in the editor's colours.
#include <QString>
#include <QStringList>

namespace mivarelo {

class ProcedureStore;

// The page (to be written as UTF-8) under `title`; a non-empty `errors`
// (the error list's entries) is listed after the program.
QString ProgramHtml(const ProcedureStore& store, const QString& title, const QStringList& errors);

} // namespace mivarelo
