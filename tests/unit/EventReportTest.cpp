// Event report: nothing written while off, every line whole (long ones cut, never split), and
// each screen switch named.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/EventReport.h"
#include "framework/ScreenDispatch.h"

namespace {

class NamedScreen : public Screen {
public:
    void display() override {}
    void idle() override {}
    void mouse(int, int, int, int) override {}
    void passiveMotion(int, int) override {}
    void motion(int, int) override {}
    void keyboard(int, int, int) override {}
    void keyboardUp(int, int, int) override {}
    void special(int, int, int) override {}
    void specialUp(int, int, int) override {}
    void reshape(int, int) override {}
    const char* name() const override { return "named"; }
};

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(EventReportTest, OffWritesNothingAndOnWritesWholeLines) {
    char pattern[] = "/tmp/zorblat-events-XXXXXX";
    const int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);

    EXPECT_FALSE(eventreport::open(nullptr));
    eventreport::report("while off %d", 1);
    ASSERT_TRUE(eventreport::open(pattern));
    EXPECT_TRUE(eventreport::enabled());
    eventreport::report("game-over score=%d kills=%d", 35, 2);
    const std::string longWord(2000, 'x');
    eventreport::report("long %s", longWord.c_str());
    Screen* slot = nullptr;
    NamedScreen from, to;
    from.screenSlot = &slot;
    switchScreen(from, to);
    eventreport::open(nullptr);
    eventreport::report("after closing");

    const std::string text = readAll(pattern);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::istringstream lines(text);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "game-over score=35 kills=2");
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line.compare(0, 10, "long xxxxx"), 0);
    EXPECT_GT(line.size(), 100u);
    EXPECT_LT(line.size(), longWord.size());
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "screen named");
    EXPECT_FALSE(std::getline(lines, line));
    std::remove(pattern);
}
