#include "core/ProcedureStore.h"

#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mivarelo;
using support::RecordingNotifier;

namespace {

// A program of five procedures: main, kare, ucgen, daire, yildiz.
ProcedureStore FiveProcedures() {
    ProcedureStore store;
    store.AddProcedure("ana", "kare 10\n");
    store.AddProcedure("Kare :a", "tekrar 4 [ileri :a; sag 90]\n");
    store.AddProcedure("ucgen :b", "");
    store.AddProcedure("daire", "sag 1\n");
    store.AddProcedure("yildiz :c :d", "ileri :c\nsol :d\n");
    return store;
}

} // namespace

TEST(ProcedureStore, SplitFirstWord) {
    EXPECT_EQ(SplitFirstWord(""), std::make_pair(std::string(), std::string()));
    EXPECT_EQ(SplitFirstWord("kare"), std::make_pair(std::string("kare"), std::string()));
    EXPECT_EQ(SplitFirstWord("  kare :a :b"),
              std::make_pair(std::string("kare"), std::string(":a :b")));
    EXPECT_EQ(SplitFirstWord("kare  :a"), std::make_pair(std::string("kare"), std::string(" :a")));
    EXPECT_EQ(SplitFirstWord("   "), std::make_pair(std::string(), std::string()));
}

TEST(ProcedureStore, FindProcedureComparesTheNameIgnoringCase) {
    const ProcedureStore store = FiveProcedures();
    EXPECT_EQ(store.FindProcedure("kare"), 1);
    EXPECT_EQ(store.FindProcedure("KARE"), 1);
    EXPECT_EQ(store.FindProcedure("kare :a"), -1);
    EXPECT_EQ(store.FindProcedure("kar"), -1);
    EXPECT_EQ(store.FindProcedure("YILDIZ"), 4); // platform lower-casing: 'I' -> 'i'
    EXPECT_EQ(store.FindProcedure(""), -1);
    EXPECT_EQ(ProcedureStore().FindProcedure("ana"), -1);

    ProcedureStore turkish;
    turkish.AddProcedure("\xFE"
                         "ekil",
                         ""); // şekil
    EXPECT_EQ(turkish.FindProcedure("\xDE"
                                    "EK\xDDL"),
              0); // ŞEKİL
    EXPECT_EQ(turkish.FindProcedure("\xFE"
                                    "ek\xFDl"),
              -1); // şekıl
}

TEST(ProcedureStore, AddProcedureRefusesAnExistingName) {
    RecordingNotifier notifier;
    ProcedureStore store = FiveProcedures();
    EXPECT_FALSE(store.AddProcedure("KARE", ""));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_FALSE(store.AddProcedure("daire", "ileri 5\n"));
    EXPECT_EQ(notifier.messages, std::vector<std::string>{"Hata: isim var"});
    EXPECT_EQ(store.ProcedureCount(), 5);
    EXPECT_EQ(store.GetBody(3), "sag 1\n");

    // A header with arguments is compared whole, so it never meets a name.
    EXPECT_TRUE(store.AddProcedure("kare :b", ""));
    EXPECT_EQ(store.ProcedureCount(), 6);
    EXPECT_EQ(store.GetHeader(5), "kare :b");
    EXPECT_EQ(store.FindProcedure("kare"), 1);
    EXPECT_EQ(notifier.messages.size(), 1u);
}

TEST(ProcedureStore, GettersAndSettersIgnoreIndicesOutOfRange) {
    ProcedureStore store = FiveProcedures();
    for (int i : {-1, 5, 100}) {
        EXPECT_EQ(store.GetBody(i), "");
        EXPECT_EQ(store.GetHeader(i), "");
        EXPECT_EQ(store.GetArguments(i), "");
        store.SetBody(i, "x");
        store.SetHeader(i, "x");
        store.ClearBody(i);
        store.AppendToBody(i, "x");
        store.SetArguments(i, ":x");
        store.DeleteProcedure(i);
    }
    EXPECT_EQ(store.ProcedureCount(), 5);
    EXPECT_EQ(store.Headers(), (StringList{"ana", "Kare :a", "ucgen :b", "daire", "yildiz :c :d"}));

    store.SetBody(2, "geri 3\n");
    store.AppendToBody(2, "sol 4\n");
    store.AppendToBody(2, "");
    EXPECT_EQ(store.GetBody(2), "geri 3\nsol 4\n");
    store.ClearBody(2);
    EXPECT_EQ(store.GetBody(2), "");
    store.AppendToBody(2, "a");
    EXPECT_EQ(store.GetBody(2), "a");
    store.SetHeader(3, "cember :r");
    EXPECT_EQ(store.GetHeader(3), "cember :r");
    EXPECT_EQ(store.FindProcedure("cember"), 3);
}

TEST(ProcedureStore, Arguments) {
    ProcedureStore store = FiveProcedures();
    EXPECT_EQ(store.GetArguments(4), ":c :d");
    EXPECT_EQ(store.GetArguments(0), "");
    store.SetArguments(1, "");
    EXPECT_EQ(store.GetHeader(1), "Kare");
    store.SetArguments(3, ":r _s");
    EXPECT_EQ(store.GetHeader(3), "daire :r _s");
    store.SetArguments(4, "x");
    EXPECT_EQ(store.GetHeader(4), "yildiz x");
}

TEST(ProcedureStore, DeleteAndClear) {
    ProcedureStore store = FiveProcedures();
    store.DeleteProcedure(1);
    EXPECT_EQ(store.ProcedureCount(), 4);
    EXPECT_EQ(store.GetHeader(1), "ucgen :b");
    EXPECT_EQ(store.GetBody(2), "sag 1\n");
    EXPECT_EQ(store.FindProcedure("kare"), -1);

    store = FiveProcedures();
    store.ClearProgram();
    EXPECT_EQ(store.ProcedureCount(), 1);
    EXPECT_EQ(store.Headers(), StringList{"ana"});
    EXPECT_EQ(store.Bodies(), StringList{""});

    store.ClearAll();
    EXPECT_EQ(store.ProcedureCount(), 0);
    EXPECT_TRUE(store.Headers().empty());
    store.ClearProgram(); // nothing to keep
    EXPECT_EQ(store.ProcedureCount(), 0);
}

TEST(ProcedureStore, BodyLines) {
    ProcedureStore store;
    store.AddProcedure("ana", "a\nb\n");
    store.AddProcedure("p", "a\nb");
    store.AddProcedure("q", "");
    store.AddProcedure("r", "x\r\n\ny\n");
    EXPECT_EQ(store.JoinBodyLines(0, "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(store.JoinBodyLines(1, "\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(store.JoinBodyLines(0, "\n"), "a\nb\n");
    EXPECT_EQ(store.JoinBodyLines(2, "\n"), "");
    EXPECT_EQ(store.JoinBodyLines(3, ";"), "x;;y;");
    EXPECT_EQ(store.JoinBodyLines(9, ";"), "");

    EXPECT_EQ(store.GetBodyLine(0, 1), "a");
    EXPECT_EQ(store.GetBodyLine(0, 2), "b");
    EXPECT_EQ(store.GetBodyLine(0, 3), "");
    EXPECT_EQ(store.GetBodyLine(0, 0), "");
    EXPECT_EQ(store.GetBodyLine(2, 1), "");
    EXPECT_EQ(store.GetBodyLine(3, 2), "");
    EXPECT_EQ(store.GetBodyLine(3, 3), "y");

    StringList lines{"old"};
    EXPECT_FALSE(store.CopyBodyLines(2, &lines));
    EXPECT_EQ(lines, StringList{"old"});
    EXPECT_FALSE(store.CopyBodyLines(0, nullptr));
    EXPECT_TRUE(store.CopyBodyLines(3, &lines));
    EXPECT_EQ(lines, (StringList{"x", "", "y"}));
}

TEST(ProcedureStore, ReplaceInBodies) {
    ProcedureStore store;
    store.AddProcedure("ana", "");
    EXPECT_FALSE(store.ReplaceInBodies("uzunluk", "length"));
    store.AddProcedure("p", "ileri uzunluk\nileri uzunluk2\n");
    store.AddProcedure("q", "aaa\n");
    EXPECT_FALSE(store.ReplaceInBodies("", "length"));
    EXPECT_FALSE(store.ReplaceInBodies("uzunluk", ""));
    EXPECT_EQ(store.GetBody(1), "ileri uzunluk\nileri uzunluk2\n");

    EXPECT_TRUE(store.ReplaceInBodies("uzunluk", "length"));
    EXPECT_EQ(store.GetBody(1), "ileri length\nileri length2\n");
    EXPECT_TRUE(store.ReplaceInBodies("a", "aa")); // replacements are not searched again
    EXPECT_EQ(store.GetBody(2), "aaaaaa\n");
    EXPECT_EQ(store.GetBody(0), "");
}

TEST(ProcedureStore, FillHeaderList) {
    const ProcedureStore store = FiveProcedures();
    std::vector<std::string> box{"stale"};
    store.FillHeaderList(box, true);
    EXPECT_EQ(box, store.Headers());
    store.FillHeaderList(box, false);
    EXPECT_EQ(box, (std::vector<std::string>{"Kare :a", "ucgen :b", "daire", "yildiz :c :d"}));

    ProcedureStore single;
    single.AddProcedure("ana", "");
    single.FillHeaderList(box, false);
    EXPECT_TRUE(box.empty());
    ProcedureStore().FillHeaderList(box, false);
    EXPECT_TRUE(box.empty());
}

TEST(ProcedureStore, ToleratesListsOfDifferentLengths) {
    ProcedureStore store;
    store.Replace({"ana", "kare", "ucgen"}, {"ileri 1\n"});
    EXPECT_EQ(store.ProcedureCount(), 1);
    EXPECT_EQ(store.FindProcedure("ucgen"), 2);
    EXPECT_EQ(store.GetBody(2), "");
    store.DeleteProcedure(0);
    EXPECT_EQ(store.Headers(), (StringList{"kare", "ucgen"}));

    store.Replace({"ana"}, {"a\n", "b\n", "c\n"});
    EXPECT_EQ(store.ProcedureCount(), 3);
    EXPECT_EQ(store.GetHeader(2), "");
    EXPECT_EQ(store.GetArguments(2), "");
    store.SetArguments(2, ":x");
    store.DeleteProcedure(2);
    EXPECT_EQ(store.ProcedureCount(), 2);
    EXPECT_EQ(store.Headers(), StringList{"ana"});
    store.ClearProgram();
    EXPECT_EQ(store.Bodies(), StringList{""});
}
