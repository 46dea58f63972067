#pragma once
// Editing the program's procedures: which one the editor shows, storing the
// editor's text back into the program, and the Procedure menu's questions
// (add, rename, arguments, delete). It works on the engine's procedure
// store and on the text command window's procedure list and editor, when
// command mode has one.
#include <QObject>

#include <functional>
#include <string>

namespace mivarelo {

class LogoEngine;
class MainActions;
class TextCommandWindow;

class ProcedureEditor : public QObject {
    Q_OBJECT
public:
    // `changed` marks the program changed.
    ProcedureEditor(LogoEngine& engine, std::function<void()> changed, QObject* parent);

    // The text command window now shown, or null in graphical mode.
    void SetTextWindow(TextCommandWindow* window) { text_ = window; }
    void ConnectActions(const MainActions& actions);

    // Shows procedure `index` in the editor (-1: the one the list selects),
    // the editor's text stored first.
    void ShowProcedure(int index);
    // The editor's text into the procedure it shows; nothing while a long
    // procedure is still going into the editor, or when it shows a line cut
    // short.
    void StoreEditorIntoProcedure();
    void RefreshProcedureList();
    // The editor and the procedure list emptied, for a new program.
    void ClearEditor();
    // The editor shows the current procedure again, as the program holds it
    // (after the program was rewritten), without storing the editor first.
    void ReloadEditor();
    void AddProcedure(const std::string& name);
    void AddProcedureWithBody(const std::string& name, const std::string& body);

private:
    void AddProcedureAsk();
    void RenameProcedureAsk();
    void EnterArgumentsAsk();
    void DeleteProcedureAsk();

    LogoEngine& engine_;
    std::function<void()> changed_;
    TextCommandWindow* text_ = nullptr;
};

} // namespace mivarelo
