// orbicle-sim's actions and keystats over many random games: keystats says what a summary made
// from the actions alone says; and Practise Slow Keys off changes nothing a script prints.
#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <regex>
#include <sstream>

#include "tests/game/GameFixture.h"
#include "tests/sim/Script.h"

namespace {
struct Target {
    int shown = 0, hit = 0, escaped = 0, median = -1, p90 = -1;
    bool operator==(const Target&) const = default;
};
using Summary = std::map<std::string, Target>;  // keys by name; buttons as "button left", "button right"

// The nearest-rank percentile, written out from its definition.
int Rank(std::vector<int> times, double share)
{
    if (times.empty())
        return -1;
    std::sort(times.begin(), times.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(times.size()) - 1e-9));
    return times[std::max<std::size_t>(rank, 1) - 1];
}

// The summary of `actions` lines, computed from them alone.
Summary FromActions(const std::string& lines)
{
    static const std::regex action(
        R"re(\{"kind":"(\w+)","button":"(\w*)","key":"((?:[^"\\]|\\.)*)","x":-?\d+,"y":-?\d+,)re"
        R"re("play_ms":(\d+),"reaction_ms":(-?\d+),"key_ms":(-?\d+)\})re");
    std::map<std::string, std::vector<int>> times;
    Summary summary{{"button left", {}}, {"button right", {}}};
    std::istringstream in(lines);
    long long lastPlay = 0;
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(line, m, action)) << line;
        if (m.empty())
            continue;
        const long long play = std::stoll(m[4]);
        EXPECT_GE(play, lastPlay) << line;  // in the order they happened
        lastPlay = play;
        const std::string kind = m[1];
        const int reaction = std::stoi(m[5]);
        const int keyMs = std::stoi(m[6]);
        if (kind != "hit" && kind != "escape") {
            EXPECT_EQ(reaction, -1) << line;
            continue;
        }
        EXPECT_GE(reaction, 0) << line;
        EXPECT_LE(reaction, play) << line;
        EXPECT_LE(keyMs, reaction) << line;
        const std::string name = m[3].length() ? m[3].str() : "button " + m[2].str();
        Target& target = summary[name];
        ++target.shown;
        ++(kind == "hit" ? target.hit : target.escaped);
        if (kind == "hit")
            times[name].push_back(reaction);
    }
    for (auto& [name, target] : summary) {
        target.median = Rank(times[name], 0.5);
        target.p90 = Rank(times[name], 0.9);
    }
    return summary;
}

// The keystats line, read back.
Summary FromKeyStats(const std::string& line)
{
    static const std::regex target(
        R"re("((?:[^"\\]|\\.)*)":\{"shown":(\d+),"hit":(\d+),"escaped":(\d+),"median_ms":(-?\d+),"p90_ms":(-?\d+)\})re");
    const std::size_t buttonsAt = line.find("\"buttons\":");
    EXPECT_NE(buttonsAt, std::string::npos) << line;
    Summary summary;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), target); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        const bool button = static_cast<std::size_t>(m.position(0)) > buttonsAt;
        summary[(button ? "button " : "") + m[1].str()] =
            Target{std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5]), std::stoi(m[6])};
    }
    return summary;
}

// A random game in the session: aimed clicks with keys, stray clicks and keys, holds.
void PlayRandomly(SimSession& sim, std::mt19937& random, int ticks, std::ostream& out)
{
    auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; };
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int t = 0; t < ticks; ++t) {
        sim.Execute("tick", out);
        const CGameView& view = *sim.View();
        if (!view.m_listCircles.empty() && chance(35)) {
            const CCircle c = view.m_listCircles.front();
            if (!c.m_strLabel.empty() && chance(90))
                sim.Execute("key " + std::to_string(static_cast<unsigned char>(c.m_strLabel[0])), out);
            const bool left = chance(93) == (c.m_bLeftButton != 0);
            sim.Execute("click " + std::to_string(c.m_nX + below(5) - 2) + " " + std::to_string(c.m_nY) +
                            (left ? " left" : " right"),
                        out);
        }
        if (chance(2))
            sim.Execute("click " + std::to_string(below(700)) + " " + std::to_string(below(520)) + " left", out);
        if (chance(2))
            sim.Execute("key " + std::to_string(below(256)), out);
        if (chance(1))
            sim.Execute("command 32788", out);
        if (chance(1))
            sim.Execute(chance(50) ? "deactivate" : "activate", out);
        if (chance(3))
            sim.Execute("advance " + std::to_string(below(900)), out);
    }
}
}  // namespace

class ActionsSimTest : public ::testing::Test {
protected:
    TempDir m_folder;
};

TEST_F(ActionsSimTest, KeyStatsSaysWhatTheActionsSayOverManyRandomGames)
{
    m_folder.Write("res/keys_df.txt", "QWERASDFp1q2");
    std::mt19937 random(20260105);
    int labelledHits = 0, escapes = 0;
    for (int game = 0; game < 30; ++game) {
        SimSession sim;
        sim.Platform().files = DiskFiles({m_folder.Path()});
        RunScript(sim, "profile Options 11111\nprofile Race df\nclock " + std::to_string(1767614400 + game * 977) +
                           "\nstart\ncommand 32784\n");
        std::ostringstream ignored;
        PlayRandomly(sim, random, 400 + game * 20, ignored);
        if (game % 3 == 0)
            sim.Execute("command 32784", ignored);  // some stopped, some still running
        std::ostringstream actions, stats;
        ASSERT_TRUE(sim.Execute("actions", actions));
        ASSERT_TRUE(sim.Execute("keystats", stats));
        const Summary expected = FromActions(actions.str());
        EXPECT_EQ(FromKeyStats(stats.str()), expected) << "game " << game << "\n" << stats.str();
        for (const auto& [name, target] : expected) {
            labelledHits += name.rfind("button ", 0) != 0 ? target.hit : 0;
            escapes += target.escaped;
        }
    }
    // The games did what the check needs.
    EXPECT_GT(labelledHits, 100);
    EXPECT_GT(escapes, 10);
}

TEST_F(ActionsSimTest, WithPractiseSlowKeysOffEveryScriptPrintsWhatItPrintedWithoutIt)
{
    m_folder.Write("res/keys_df.txt", "QWERASDFp1q2");
    // Three games in one run, so that the later ones could be weighed by the earlier.
    auto play = [&](const std::vector<std::string>& before, const std::vector<std::string>& after) {
        SimSession sim;
        sim.Platform().files = DiskFiles({m_folder.Path()});
        std::ostringstream out;
        for (const std::string& line : before)
            sim.Execute(line, out);
        sim.Execute("start", out);
        for (const std::string& line : after)
            sim.Execute(line, out);
        std::mt19937 random(7);
        for (int game = 0; game < 3; ++game) {
            sim.Execute("command 32784", out);
            PlayRandomly(sim, random, 700, out);
            for (const char* line : {"state", "events", "menu", "actions"})
                sim.Execute(line, out);
            sim.Execute("command 32784", out);
        }
        sim.Execute("exit", out);
        return out.str();
    };
    const std::vector<std::string> profile = {"profile Options 11111", "profile Race df"};
    const std::string plain = play(profile, {});
    // Turned on and off again: the same, to the last line (no settings entry is added).
    EXPECT_EQ(play(profile, {"command 32795", "command 32795"}), plain);
    // Stored as off: the same but for the entry written back.
    std::vector<std::string> storedOff = profile;
    storedOff.push_back("profile PractiseSlowKeys 0");
    const std::string off = play(storedOff, {});
    const std::size_t exitAt = plain.rfind('{');
    EXPECT_EQ(off.substr(0, exitAt), plain.substr(0, exitAt));
    std::string offExit = off.substr(exitAt);
    const std::string entry = ",\"PractiseSlowKeys\":\"0\"";
    ASSERT_NE(offExit.find(entry), std::string::npos) << offExit;
    offExit.erase(offExit.find(entry), entry.size());
    EXPECT_EQ(offExit, plain.substr(exitAt));
    // On, the labels are drawn otherwise: the comparison above could have failed.
    EXPECT_NE(play(profile, {"command 32795"}).substr(0, exitAt), plain.substr(0, exitAt));
}
