#include "modes/ButtonQuestions.h"

#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Numbers.h"
#include "core/ProcedureStore.h"
#include "engine/ColorValue.h"
#include "engine/Evaluator.h"
#include "engine/TurtleState.h"
#include "modes/GraphicalCommands.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

namespace mivarelo {

namespace {

// The typed answer to prompt `promptId`; empty when cancelled.
QString AskValue(int promptId, const QString& initial) {
    return CurrentDialogs().AskText(LanguageText(promptId), initial, LanguageText(InputId),
                                    LanguageText(OkId), LanguageText(CancelId));
}

void Warn(int textId) {
    CurrentDialogs().ShowMessage(LanguageText(textId), LanguageText(WarningId));
}

QString Shown(float value) {
    return ToQt(GraphicalCommands::PlainNumber(value));
}

} // namespace

std::string ButtonQuestions::ArcAngle(float current) {
    const QString typed = AskValue(EnterArcAngleId, Shown(current));
    if (typed.isEmpty()) return {};
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || static_cast<float>(value) == current) return {};
    if (value > 360.0) {
        Warn(ArcAngleTooLargeId);
        return {};
    }
    return "setyayaci " + IntToText(TruncToInt(value)) + '\n';
}

std::string ButtonQuestions::PenWidth(int current) {
    const QString typed = AskValue(EnterPenWidthId, QString::number(current));
    if (typed.isEmpty() || TextToInt(FromQt(typed)) == current) return {};
    return GetLanguageString(SetPenWidthWordId) + "  " + FromQt(typed) + '\n';
}

std::string ButtonQuestions::StepLength(const std::string& name, float current) {
    const QString typed = AskValue(EnterValueId, Shown(current));
    if (typed.isEmpty()) return {};
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || static_cast<float>(value) == current) return {};
    return name + " = " + FromQt(typed) + '\n';
}

std::string ButtonQuestions::Label() {
    const QString typed = AskValue(EnterTextId, QString());
    if (typed.isEmpty()) return {};
    return GetLanguageString(LabelWordId) + ' ' + FromQt(typed) + '\n';
}

std::string ButtonQuestions::FontSize(int current) {
    const QString typed = AskValue(EnterFontSizeId, QString::number(current));
    if (typed.isEmpty()) return {};
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || value == current) return {};
    return GetLanguageString(SetFontSizeWordId) + ' ' + FromQt(typed) + '\n';
}

std::string ButtonQuestions::Turn(bool left) {
    const QString typed = AskValue(EnterValueId, QStringLiteral("0"));
    if (typed.isEmpty() || evaluate(FromQt(typed)) == 0.0) return {};
    return GraphicalCommands::TurnText(left, FromQt(typed));
}

std::string ButtonQuestions::Colour(int wordId, bool startWhite) {
    const auto colour = CurrentDialogs().ChooseColor(startWhite ? Qt::white : Qt::black);
    if (!colour) return {};
    return GetLanguageString(wordId) + ColorToListText(FromPixel(colour->rgb()));
}

std::string ButtonQuestions::Fill() {
    const std::string colour = Colour(SetFillColourWordId, false);
    if (colour.empty()) return {};
    return colour + ' ' + GetLanguageString(FillWordId);
}

std::optional<float> ButtonQuestions::DiagonalAngle(float current) {
    const QString typed = AskValue(EnterDiagonalAngleId, Shown(current));
    if (typed.isEmpty()) return std::nullopt;
    const double value = evaluate(FromQt(typed));
    if (static_cast<float>(value) == current) return std::nullopt;
    if (value < 0.0 || value > 90.0) {
        Warn(DiagonalAngleRangeId);
        return std::nullopt;
    }
    return static_cast<float>(value);
}

// A taken name is refused with a message, so that the recording goes on.
QString ButtonQuestions::MacroName(const ProcedureStore& store) {
    const QString name = AskValue(EnterProcedureNameId, QString()).trimmed();
    if (name.isEmpty()) return {};
    if (store.FindProcedure(SplitFirstWord(FromQt(name)).first) >= 0) {
        CurrentDialogs().ShowMessage(LanguageText(ProcedureExistsId), LanguageText(InformationId));
        return {};
    }
    return name;
}

bool ButtonQuestions::FinishMacroBeforeLeaving() {
    const int answer = CurrentDialogs().AskYesNoCancel(
        LanguageText(FinishMacroQuestionId), LanguageText(MacroRecordingId), LanguageText(YesId),
        LanguageText(NoId), LanguageText(CancelId));
    return answer == 1;
}

} // namespace mivarelo
