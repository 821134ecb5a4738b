#include "browser/RoutineCollector.h"
#include "browser/BrowserConstants.h"
#include "support/FakePascalViewer.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::offsetAfter;

namespace {

// Feeds the tokens of source to a collector and answers "category: routine@offset ..." lines.
std::string collect(const std::string& source, bool sorted = true)
{
    RoutineCollector collector(sorted);
    collector.reset();
    for (const auto& t : lrl::test::fakePascalTokens(source))
        collector.token(t.value, t.end,
            source.substr(static_cast<size_t>(t.start), static_cast<size_t>(t.end - t.start)));
    collector.finish();
    std::string out;
    if (!collector.categories())
        return out;
    for (const auto& category : *collector.categories()) {
        out += category.text + ":";
        for (const auto& routine : category.object)
            out += " " + routine.text + "@" + std::to_string(routine.object);
        out += "\n";
    }
    return out;
}

} // namespace

TEST(RoutineCollector, CommentsAndBlanksMayStandBetweenRoutineWordAndName)
{
    EXPECT_EQ(collect("implementation\rprocedure {a} (*b*) //c\r  TA.Go;"), "Proc/Func:\nTA: 65Go@24\n");
    // Anything else ends the header: after "TA. " the class name is left pending as a plain routine, and
    // a procedure type gives nothing.
    EXPECT_EQ(
        collect("implementation\rprocedure TA. Go;\rtype P = procedure of object;"), "Proc/Func: 65TA@24\n");
}

// Every plain routine after "implementation" is filed, before, between and after the methods, each name
// once at its first offset.
TEST(RoutineCollector, PlainRoutinesAreFiledWhereverTheyStandInTheImplementation)
{
    std::string unit = "interface\rprocedure Early;\rimplementation\r"
                       "function B: Integer; begin end;\r"
                       "procedure A; begin end;\r"
                       "procedure A; begin end;\r"
                       "procedure T.M; begin end;\r"
                       "procedure Late; begin end;\r"
                       "procedure A; begin end;\r"
                       "procedure T.N; begin end;\r"
                       "function Last: Integer; begin end;\r";
    std::string b = "64B@" + std::to_string(offsetAfter(unit, "function B", "function"));
    std::string a = "65A@" + std::to_string(offsetAfter(unit, "procedure A", "procedure"));
    std::string m = "65M@" + std::to_string(offsetAfter(unit, "procedure T.M", "procedure"));
    std::string n = "65N@" + std::to_string(offsetAfter(unit, "procedure T.N", "procedure"));
    std::string late = "65Late@" + std::to_string(offsetAfter(unit, "procedure Late", "procedure"));
    std::string last = "64Last@" + std::to_string(offsetAfter(unit, "function Last", "function"));
    EXPECT_EQ(collect(unit), "Proc/Func: " + b + " " + last + " " + a + " " + late + "\nT: " + m + " " + n + "\n");
    EXPECT_EQ(collect(unit, false),
        "T: " + m + " " + n + "\nProc/Func: " + b + " " + a + " " + late + " " + last + "\n");
}

TEST(RoutineCollector, PendingRoutinesAreFiledAtTheEndWhenNoMethodFollows)
{
    EXPECT_EQ(collect("implementation\rprocedure Solo;\rfunction Two: Boolean;"),
        "Proc/Func: 64Two@39 65Solo@24\n");
    // Without "implementation" nothing is pending; a routine that is also the class's method is not
    // filed twice.
    EXPECT_EQ(collect("procedure Solo;"), "");
    EXPECT_EQ(collect("implementation\rprocedure Go; procedure T.Go;"), "Proc/Func:\nT: 65Go@38\n");
}
