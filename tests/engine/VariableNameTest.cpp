// Variable names are never repaired at a keyword inside them: the lines the
// graphical mode's buttons write, assignments whose name begins with a
// keyword, and the repeat counter in a colour list, all with the default
// options (AcceptSpace and AutoCorrectErrors on).
#include "InterpreterFixture.h"

#include "core/Numbers.h"
#include "modes/GraphicalCommands.h"

#include <vector>

namespace mivarelo::testing {
namespace {

class VariableNameTest : public InterpreterFixture {
protected:
    void UseLanguage(bool english) {
        Globals().EnglishInterface = english;
        ASSERT_TRUE(LoadLanguageModule(&engine_->Procedures()));
    }

    // Every kind of line the button panel writes, assembled as the panel
    // assembles it: the words of the interface language, the numbers a user
    // may choose.
    static std::vector<std::string> ButtonLines() {
        using GC = GraphicalCommands;
        const GC::DiagonalAngles angles = {30.0f, 45.0f, 60.0f, 75.0f};
        std::vector<std::string> lines = {GC::StartupLine(), GC::ForwardCommand(),
                                          GC::BackCommand()};
        for (int button = 1; button <= 9; ++button)
            for (const bool useDirections : {false, true})
                for (int turnType = GC::SetHeading; turnType <= GC::AlwaysRight; ++turnType)
                    for (const bool forceTurn : {false, true}) {
                        const GC::Turning turning{useDirections, turnType, 30, forceTurn};
                        lines.push_back(
                            GC::DirectionCommand(GC::GridCodeOfButton(button), angles, turning));
                    }
        for (const bool left : {true, false}) {
            lines.push_back(GC::TurnText(left, "15"));
            lines.push_back(GC::ArcCommand(left, 40.0f, 360.0f, 30));
        }
        for (int id = 7616; id <= 7621; ++id)
            lines.push_back(GetLanguageString(id));
        const std::string colour = ColorToListText(0x3366CC);
        lines.push_back(GetLanguageString(7630) + colour);
        lines.push_back(GetLanguageString(7631) + colour);
        lines.push_back(GetLanguageString(7632) + colour + ' ' + GetLanguageString(7622));
        lines.push_back(GetLanguageString(7627) + "  3");
        lines.push_back(GetLanguageString(7628) + " 20");
        lines.push_back(GetLanguageString(7629) + " abc");
        lines.push_back("setyayaci 90");
        lines.push_back(Globals().LengthVariableName + " = 25");
        lines.push_back("pe");
        lines.push_back("ppt");
        return lines;
    }
};

TEST_F(VariableNameTest, EveryButtonLineRunsInBothLanguages) {
    for (const bool english : {false, true}) {
        UseLanguage(english);
        const std::string length = Globals().LengthVariableName;
        const std::string angle = Globals().AngleVariableName;
        // "yabci" begins with the keyword "ya", "steplength" with "st" and
        // "arcangle" with "arc".
        EXPECT_EQ(length + angle, english ? "steplengtharcangle" : "uzunlukyabci");
        engine_->Variables().SetVariable(length, 1.0f);
        engine_->Variables().SetVariable(angle, 2.0f);
        Run(GraphicalCommands::StartupLine());
        EXPECT_EQ(Var(length), 40.0f);
        EXPECT_EQ(Var(angle), 360.0f);
        for (const std::string& line : ButtonLines()) {
            Run(line + '\n');
            EXPECT_EQ(errors_.lines, std::vector<std::string>()) << english << ": " << line;
            errors_.lines.clear();
        }
        EXPECT_EQ(Var(length), 25.0f);
        EXPECT_EQ(Var(angle), 90.0f);
        EXPECT_EQ(engine_->Screen().State().FontName, "Times New Roman");
        EXPECT_EQ(engine_->Screen().State().PenWidth, 3);
        EXPECT_EQ(engine_->Screen().State().FontSize, 20.0f);
    }
}

TEST_F(VariableNameTest, AnAssignmentIsNeverSplitAtAKeywordInItsName) {
    UseLanguage(false);
    Run("yabci = 90\nstep := 100\nstack:=7\nyamuk = step + stack\n");
    EXPECT_EQ(errors_.lines, std::vector<std::string>());
    EXPECT_EQ(Var("yabci"), 90.0f);
    EXPECT_EQ(Var("step"), 100.0f);
    EXPECT_EQ(Var("stack"), 7.0f);
    EXPECT_EQ(Var("yamuk"), 107.0f);
    EXPECT_EQ(engine_->Screen().State().FontName, "Times New Roman");
    EXPECT_TRUE(engine_->Screen().State().TurtleVisible);
    // A keyword glued to its argument is still repaired, and reported.
    Run("ileri=5\n");
    EXPECT_EQ(errors_.lines,
              std::vector<std::string>{"Bilinmeyen komut: 'ileri=5' ( sat\xFDr = 1 ) "});
}

TEST_F(VariableNameTest, TheRepeatCounterInAColourListIsNoCommand) {
    for (const char* counter : {"d\xF6ng\xFCno", "repcount"}) {
        Run(std::string("tekrar 2 [de\xF0i\xFEtirkalemrenk [255 ") + counter + " 0]]\n");
        EXPECT_EQ(errors_.lines, std::vector<std::string>()) << counter;
        // Red 255, green 2 (the second pass), blue 0.
        EXPECT_EQ(engine_->Screen().State().PenColor, 0x0002FFu) << counter;
    }
}

} // namespace
} // namespace mivarelo::testing
