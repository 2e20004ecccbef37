#include <gtest/gtest.h>

#include "support/rig.h"

namespace lec::test {
namespace {

TEST(Scripts, DumpAndQuit) {
    Rig rig;
    const auto result = rig.runScript("# a comment\n\ndump Log\nquit\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("Log form caption=", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("Log.mnuQuit menu caption=\"Quit\" visible=1 enabled=1 checked=0\n"),
              std::string::npos);
    EXPECT_EQ(rig.quitStatus(), 0);
}

TEST(Scripts, ErrorsStopTheScriptWithStatusTwoAndTheLineNumber) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"click Log.Label99\n", "script line 1: no control Log.Label99\n"},
        {"dump Log\n\nfly away\n", "script line 3: unknown action fly\n"},
        {"answer OK\n", "script line 1: no box is open\n"},
        {"wait soon\n", "script line 1: wait needs a number of milliseconds\n"},
        {"dump Nowhere\n", "script line 1: no window Nowhere\n"},
        {"sim 1 silent 1\n", "script line 1: sim needs the demo cabinet (--demo)\n"},
    };
    for (const auto& c : cases) {
        Rig rig;
        const auto result = rig.runScript(c.script);
        EXPECT_EQ(result.err, c.error) << c.script;
        EXPECT_EQ(result.status, 2) << c.script;
        EXPECT_EQ(rig.quitStatus(), 2) << c.script;
    }
}

TEST(Scripts, WaitLetsProgramTimeRun) {
    Rig rig;
    const auto before = rig.scheduler.now();
    const auto result = rig.runScript("wait 1500\nwait 500\n");
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.status, std::nullopt);  // no quit: the program goes on
    EXPECT_EQ(rig.scheduler.now() - before, 2000);
}

TEST(Scripts, HiddenOrDisabledControlsCannotBeUsed) {
    Rig rig;
    rig.control("Log.mnuQuit").enabled = false;
    const auto result = rig.runScript("click Log.mnuQuit\n");
    EXPECT_EQ(result.err, "script line 1: Log.mnuQuit is disabled\n");
    EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace lec::test
