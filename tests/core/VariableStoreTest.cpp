#include "core/VariableStore.h"
#include "core/ExpressionHook.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace mivarelo {
namespace {

class FixedTurtle : public TurtlePosition {
public:
    double TurtleXValue() const override { return 123; }
    double TurtleYValue() const override { return 456.25; }
    double TurtleHeading() const override { return 292.5; }
    bool TurtlePenDown() const override { return false; }
};

// Each test gets a fresh process-wide store.
class VariableStoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetExpressionEvaluator(nullptr); }

    support::ScopedVariableStore scoped_;
    VariableStore& store_ = scoped_.store;
};

std::string PrintfOneDecimal(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(value));
    return buffer;
}

TEST(IsNameCharTest, LettersPrefixesAndTurkishLettersOnly) {
    for (const char c : std::string_view("_:AZaz\xC7\xD0\xDD\xD6\xDE\xDC\xE7\xF0\xFD\xF6\xFE\xFC"))
        EXPECT_TRUE(IsNameChar(c)) << int(static_cast<unsigned char>(c));
    for (const char c : std::string_view("09 .,-+()[]\xE9\xC4\xE2@`{"))
        EXPECT_FALSE(IsNameChar(c)) << int(static_cast<unsigned char>(c));
}

TEST_F(VariableStoreTest, ValuesKeepOneDecimal) {
    SetVariable("x", 1.0f / 3.0f);
    EXPECT_EQ(store_.Globals().values->at(0), "0.3");
    EXPECT_FLOAT_EQ(GetVariable("x"), 0.3f);
    SetVariable("x", 2.25f);
    EXPECT_EQ(store_.Globals().values->at(0), PrintfOneDecimal(2.25f));
    EXPECT_FLOAT_EQ(GetVariable("x"), std::stof(PrintfOneDecimal(2.25f)));
    SetVariable("y", -7.96f);
    EXPECT_EQ(store_.Globals().values->at(1), "-8.0");
    EXPECT_EQ(store_.Globals().names->size(), 2u);
}

TEST_F(VariableStoreTest, SetVariablesSetsEachNameAsSetVariableWould) {
    PushFrame("1", ":a");
    SetVariables({"n", " m", "_a", ":b", "N"}, 12.25f);
    SetVariable("p", 12.25f);
    EXPECT_EQ(store_.Globals().Describe(),
              VariableFrame::FromTexts("12.2, 12.2, 12.2", "n m p").Describe());
    EXPECT_EQ(DescribeTopFrame(), VariableFrame::FromTexts("12.2, 12.2", "a b").Describe());
    SetVariables({}, 3.0f);
    EXPECT_EQ(store_.Globals().names->size(), 3u);
}

TEST_F(VariableStoreTest, ValuesAtOrBelowNoValueReadAsAbsent) {
    SetVariable("x", -20000.0f);
    EXPECT_EQ(GetVariable("x"), 0.0f);
    SetVariable("x", -10000.0f);
    EXPECT_EQ(GetVariable("x"), 0.0f);
    SetVariable("x", -9999.9f);
    EXPECT_FLOAT_EQ(GetVariable("x"), -9999.9f);
    // A global that counts as absent lets a local of the same name through.
    PushFrame("5", ":x");
    SetVariable("x", -20000.0f);
    EXPECT_FLOAT_EQ(GetVariable("x"), 5.0f);
}

TEST_F(VariableStoreTest, NamesIgnoreCaseAndStopAtTheFirstNonNameCharacter) {
    SetVariable("Abc", 4.0f);
    EXPECT_FLOAT_EQ(GetVariable("abc"), 4.0f);
    EXPECT_FLOAT_EQ(GetVariable("ABC"), 4.0f);
    SetVariable("  x1", 7.0f);
    EXPECT_EQ(store_.Globals().names->back(), "x");
    EXPECT_FLOAT_EQ(GetVariable("x"), 7.0f);
    EXPECT_EQ(GetVariable("x1"), 0.0f);
    SetVariable("abc+", 9.0f);
    EXPECT_FLOAT_EQ(GetVariable("Abc"), 9.0f);
    EXPECT_EQ(store_.Globals().names->size(), 2u);
}

TEST_F(VariableStoreTest, MissingAndEmptyNamesReadZeroAndBlankNamesAreNotStored) {
    EXPECT_EQ(GetVariable("nothing"), 0.0f);
    EXPECT_EQ(GetVariable(""), 0.0f);
    EXPECT_EQ(GetVariable(":"), 0.0f);
    SetVariable("", 1.0f);
    SetVariable("   ", 1.0f);
    SetVariable("12", 1.0f);
    EXPECT_TRUE(store_.Globals().names->empty());
}

TEST_F(VariableStoreTest, FrameArgumentsAreReadWithOrWithoutPrefix) {
    PushFrame("10, 20", ":a :b");
    EXPECT_FLOAT_EQ(GetVariable(":a"), 10.0f);
    EXPECT_FLOAT_EQ(GetVariable("_a"), 10.0f);
    EXPECT_FLOAT_EQ(GetVariable("a"), 10.0f);
    EXPECT_FLOAT_EQ(GetVariable(":B"), 20.0f);
    // A global of the same name takes precedence over the plain name only.
    SetVariable("a", 99.0f);
    EXPECT_FLOAT_EQ(GetVariable("a"), 99.0f);
    EXPECT_FLOAT_EQ(GetVariable(":a"), 10.0f);
    EXPECT_EQ(DescribeTopFrame(), "1\xE9"
                                  "2\xE9"
                                  "a\xE9"
                                  "b\xE9"
                                  "1\xE9"
                                  "2\xE9"
                                  "10.0\xE9"
                                  "20.0");
}

TEST_F(VariableStoreTest, PrefixedWritesGoToTheInnermostFrame) {
    PushFrame("1", ":a");
    SetVariable("_a", 5.0f);
    SetVariable(":c", 6.0f);
    PushFrame("2", ":a");
    EXPECT_FLOAT_EQ(GetVariable(":a"), 2.0f);
    EXPECT_EQ(GetVariable(":c"), 0.0f);
    PopFrame();
    EXPECT_FLOAT_EQ(GetVariable(":a"), 5.0f);
    EXPECT_FLOAT_EQ(GetVariable(":c"), 6.0f);
    EXPECT_EQ(GetVariable("c"), 6.0f);
    EXPECT_TRUE(store_.Globals().names->empty());
    EXPECT_TRUE(RemoveFrameVariable("c"));
    EXPECT_FALSE(RemoveFrameVariable("c"));
    EXPECT_EQ(GetVariable(":c"), 0.0f);
    EXPECT_FLOAT_EQ(GetVariable(":a"), 5.0f);
}

TEST_F(VariableStoreTest, LocalsWithoutArgumentNamesOrWithoutFrameAreDropped) {
    SetVariable("_x", 3.0f);
    EXPECT_EQ(GetVariable("_x"), 0.0f);
    EXPECT_EQ(store_.Frames().Count(), 0);
    PushFrame("", "");
    SetVariable("_x", 3.0f);
    EXPECT_EQ(GetVariable("_x"), 0.0f);
    EXPECT_EQ(DescribeTopFrame(), "");
    PopFrame();
    PopFrame(); // an empty stack stays empty
    EXPECT_EQ(store_.Frames().Count(), 0);
    EXPECT_EQ(DescribeTopFrame(), "0");
}

TEST_F(VariableStoreTest, MissingValuesReadZeroAndCanBeWritten) {
    PushFrame("7", ":a :b :c");
    EXPECT_FLOAT_EQ(GetVariable(":a"), 7.0f);
    EXPECT_EQ(GetVariable(":b"), 0.0f);
    EXPECT_EQ(GetVariable(":c"), 0.0f);
    SetVariable(":c", 3.0f);
    EXPECT_FLOAT_EQ(GetVariable(":c"), 3.0f);
    EXPECT_EQ(GetVariable(":b"), 0.0f);
    SetVariable(":d", 4.0f);
    EXPECT_FLOAT_EQ(GetVariable(":d"), 4.0f);
    EXPECT_EQ(GetVariable(":b"), 0.0f);
    PushFrame("", ":a");
    SetVariable(":a", 8.0f);
    EXPECT_FLOAT_EQ(GetVariable(":a"), 8.0f);
}

TEST_F(VariableStoreTest, SurplusValuesAreDropped) {
    PushFrame("1, 2, 3", ":a");
    EXPECT_EQ(DescribeTopFrame(), "1\xE9"
                                  "1\xE9"
                                  "a\xE9"
                                  "1\xE9"
                                  "1\xE9"
                                  "1.0");
    SetVariable("_n", 9.0f);
    EXPECT_FLOAT_EQ(GetVariable(":n"), 9.0f);
    EXPECT_FLOAT_EQ(GetVariable(":a"), 1.0f);
}

TEST_F(VariableStoreTest, TurtlePositionNamesOnceAScreenIsAttached) {
    EXPECT_EQ(GetVariable("_nerdex"), 0.0f);
    FixedTurtle turtle;
    store_.AttachScreen(&turtle);
    EXPECT_EQ(GetVariable("_nerdex"), 123.0f);
    EXPECT_EQ(GetVariable("_NERDEX"), 123.0f);
    EXPECT_EQ(GetVariable("_NerdeY"), 456.25);
    EXPECT_EQ(GetVariable("_nerdeYon"), 292.5);
    EXPECT_EQ(GetVariable("_KALEM"), 0.0);
    EXPECT_TRUE(HasVariable("_kalem"));
    EXPECT_EQ(GetVariable("nerdex"), 0.0f);
    PushFrame("", ":a");
    SetVariable("_nerdex", 5.0f);
    EXPECT_EQ(store_.Frames().Top()->names->back(), "nerdex");
    EXPECT_EQ(GetVariable("_nerdex"), 123.0f);
    EXPECT_FLOAT_EQ(GetVariable(":nerdex"), 5.0f);
}

TEST_F(VariableStoreTest, FrameStackGrowsOneSlotAtATime) {
    FrameStack& frames = store_.Frames();
    EXPECT_EQ(frames.Capacity(), 10);
    for (int i = 1; i <= 12; ++i)
        PushFrame(std::to_string(i), ":depth");
    EXPECT_EQ(frames.Count(), 12);
    EXPECT_EQ(frames.Capacity(), 12);
    EXPECT_FLOAT_EQ(GetVariable(":depth"), 12.0f);
    EXPECT_FLOAT_EQ(frames.Get(0)->GetValue("depth"), 1.0f);
    EXPECT_EQ(frames.Get(12), nullptr);
    EXPECT_EQ(frames.Get(-1), nullptr);
    EXPECT_TRUE(frames.RemoveAt(0));
    EXPECT_FLOAT_EQ(frames.Get(0)->GetValue("depth"), 2.0f);
    EXPECT_FALSE(frames.RemoveAt(11));
    PopFrame();
    EXPECT_FLOAT_EQ(GetVariable(":depth"), 11.0f);
    EXPECT_EQ(frames.Count(), 10);
}

TEST(VariableFrameTest, LookupsAndRemoval) {
    VariableFrame table = VariableFrame::Empty();
    EXPECT_EQ(table.Describe(), "1\xE9"
                                "0\xE9\xE9"
                                "1\xE9"
                                "0\xE9");
    table.SetValue(" abc def", 2.0f);
    table.SetValue("b", 3.0f);
    EXPECT_EQ(table.IndexOf("ABC"), 0);
    EXPECT_EQ(table.IndexOf(""), -1);
    EXPECT_EQ(table.GetValue("zz"), NoValue);
    EXPECT_EQ(table.GetValue(""), NoValue);
    EXPECT_TRUE(table.Remove("abc"));
    EXPECT_FALSE(table.Remove("abc"));
    EXPECT_EQ(table.IndexOf("b"), 0);
    EXPECT_FLOAT_EQ(table.GetValue("b"), 3.0f);
    VariableFrame bare;
    bare.SetValue("a", 1.0f);
    EXPECT_EQ(bare.IndexOf("a"), -1);
    EXPECT_EQ(bare.Describe(), "");
}

TEST(SplitListTest, ItemsAreTrimmedInFrontAndEmptyOnesSkipped) {
    const auto names = SplitList("  :a  _b c ::d ", ' ', false, true);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (StringList{"a", "b", "c", ":d"}));
    const auto kept = SplitList("x ,, y", ',', false, false);
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, (StringList{"x ", "y"}));
    EXPECT_FALSE(SplitList("", ',', false, false));
    EXPECT_FALSE(SplitList("   ", ' ', false, false));
    EXPECT_FALSE(SplitList(" , ,", ',', false, false));
}

double FortyTwo(std::string_view) {
    return 42.25;
}

TEST(SplitListTest, EvaluatedItemsGoThroughTheInstalledEvaluator) {
    SetExpressionEvaluator(nullptr);
    const auto plain = SplitList("1.26, 2x", ',', true, false);
    ASSERT_TRUE(plain);
    EXPECT_EQ(*plain, (StringList{"1.3", "2.0"}));
    SetExpressionEvaluator(&FortyTwo);
    const auto hooked = SplitList("a, b", ',', true, false);
    SetExpressionEvaluator(nullptr);
    ASSERT_TRUE(hooked);
    EXPECT_EQ(*hooked, (StringList{"42.2", "42.2"}));
}

TEST(VariableFunctionsTest, FreeFunctionsDoNothingWithoutAStore) {
    VariableStore* previous = SetVariableStore(nullptr);
    SetVariable("x", 5.0f);
    PushFrame("1", ":a");
    EXPECT_EQ(GetVariable("x"), 0.0f);
    EXPECT_EQ(GetVariable(":a"), 0.0f);
    EXPECT_FALSE(RemoveFrameVariable("a"));
    PopFrame();
    EXPECT_EQ(DescribeTopFrame(), "");
    EXPECT_EQ(CurrentVariableStore(), nullptr);
    SetVariableStore(previous);
}

} // namespace
} // namespace mivarelo
