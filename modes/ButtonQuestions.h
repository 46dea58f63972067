#pragma once
// The questions some of the graphical mode's buttons ask before they write
// their line: a value, a colour, a macro's name. Each asks through the
// program's dialogs, refuses what it must (with a warning where the user
// should learn why) and gives back the line to record, or an empty text
// when the question was cancelled or refused. The window records the lines.
#include <QString>

#include <optional>
#include <string>

namespace mivarelo {

class ProcedureStore;

class ButtonQuestions {
public:
    // The arc angle command for a new angle in 1..360, other than `current`.
    static std::string ArcAngle(float current);
    // The pen width command for a width other than `current`, as typed.
    static std::string PenWidth(int current);
    // The assignment of a new positive length to the step variable `name`,
    // the typed text written as it stands.
    static std::string StepLength(const std::string& name, float current);
    // The label command with the typed text.
    static std::string Label();
    // The font size command for a new positive size, as typed.
    static std::string FontSize(int current);
    // The turn by the typed amount, written as it stands, so that an
    // expression stays one; no line break. Empty for a zero turn.
    static std::string Turn(bool left);
    // The word `wordId` followed by the chosen colour as a list; the colour
    // dialog opens on white or black. No line break.
    static std::string Colour(int wordId, bool startWhite);
    // The fill colour command and the fill word; no line break.
    static std::string Fill();
    // A diagonal button's new angle in 0..90; none when it stays `current`.
    static std::optional<float> DiagonalAngle(float current);
    // The name of the macro being finished; empty when blank or taken by a
    // procedure of `store`.
    static QString MacroName(const ProcedureStore& store);
    // Whether the macro being recorded is to be finished and saved before
    // the window is left; any other answer keeps the window.
    static bool FinishMacroBeforeLeaving();
};

} // namespace mivarelo
