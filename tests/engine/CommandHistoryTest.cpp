// The graphical mode's history without its window: several undos and redos
// in a row, the text an undo replays for a loaded program with blank lines,
// and a macro's body after an undo inside it.
#include "modes/CommandHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mivarelo;

namespace {

TEST(CommandHistoryTest, UndoneLinesComeBackLastFirstUntilANewLine) {
    CommandHistory history;
    history.Record("start\n");
    history.Record("fd 10");
    history.Record("rt 90\n");
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(history.Lines(), std::vector<std::string>{"start\n"});
    EXPECT_TRUE(history.Redo());
    EXPECT_TRUE(history.Redo());
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(history.Lines(), (std::vector<std::string>{"start\n", "fd 10\n", "rt 90\n"}));
    EXPECT_TRUE(history.Undo());
    history.Record("lt 90\n");
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(history.Line(2), "lt 90\n");
    EXPECT_EQ(history.Line(3), "");
}

TEST(CommandHistoryTest, ReplaySkipsBlankLinesAndEndsWithALineBreak) {
    CommandHistory history;
    history.Replace({"fd 10", "", "rt 90", "fd 20"});
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(history.ReplayText(), "fd 10\nrt 90\n");
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(history.ReplayText(), "fd 10\n");
}

TEST(CommandHistoryTest, MacroKeepsOnlyTheLinesLeftAfterAnUndo) {
    CommandHistory history;
    history.Record("start\n");
    history.StartMacro();
    EXPECT_EQ(history.MacroStart(), 1);
    EXPECT_TRUE(history.MacroIsEmpty());
    history.Record("fd 10\n");
    history.Record("rt 90\n");
    EXPECT_TRUE(history.Undo());
    EXPECT_FALSE(history.MacroIsEmpty());
    EXPECT_EQ(history.MacroBody(), "fd 10\n\n");
    history.Replace({"fd 5"});
    EXPECT_TRUE(history.Recording());
    history.StopMacro();
    EXPECT_EQ(history.MacroStart(), -1);
}

} // namespace
