// The keys report as the player sees it: each key and button in the colour of its median, the
// keys of the set apart from the rest, the histogram's bars where the times fall.
#include <gtest/gtest.h>

#include "render/KeysReport.h"

namespace kr = keys_report;

namespace {
using Kind = KeptAction::Kind;
using Button = KeptAction::Button;

class Picture {
public:
    explicit Picture(CSize size) : m_size(size)
    {
        m_bitmap.CreateBitmap(size.cx, size.cy);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
    }
    void Draw(const KeysReport& report) { DrawKeysReport(m_dc, m_size, report); }
    // Draws the report and gives back the texts it wrote, in order, with their boxes.
    std::vector<TextBox> Texts(const KeysReport& report)
    {
        std::vector<TextBox> texts;
        SetTextBoxLog(&texts);
        Draw(report);
        SetTextBoxLog(nullptr);
        return texts;
    }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    // The face of a key or button away from its texts, which start further in: just inside its
    // outline at the bottom left.
    COLORREF Face(const CRect& r) const { return At(r.left + 1, r.bottom - 2); }
    CSize Size() const { return m_size; }

private:
    CSize m_size;
    CBitmap m_bitmap;
    CDC m_dc;
};

KeptAction Hit(unsigned char key, Button button, int ms)
{
    return KeptAction{Kind::Hit, button, key, 0, 0, 0, ms, -1};
}

// Q fast, W between, E slow; R and F1 in the set but never shown; the buttons in between.
KeysReport Report()
{
    std::vector<KeptAction> actions = {
        Hit('Q', Button::Left, 400),  Hit('Q', Button::Left, 400),  Hit('Q', Button::Left, 400),
        Hit('W', Button::Left, 1000), Hit('W', Button::Left, 1000), Hit('E', Button::Left, 1600),
        Hit(0, Button::Left, 400),    Hit(0, Button::Left, 500),    Hit(0, Button::Right, 1200)};
    actions.push_back(KeptAction{Kind::Escape, Button::Left, 'E', 0, 0, 0, 7000, -1});
    return KeysReport{"Keys and buttons of the test", CollectKeyStats(actions), {'Q', 'W', 'E', 'R', 'p'}};
}

// The runs of pixels other than the background along a row, between two columns.
int Runs(const Picture& picture, int y, int x0, int x1)
{
    int runs = 0;
    bool inside = false;
    for (int x = x0; x < x1; ++x) {
        const bool bar = picture.At(x, y) != kr::Background;
        runs += bar && !inside;
        inside = bar;
    }
    return runs;
}
}  // namespace

TEST(KeysReport, KeysAndButtonsTakeTheColourOfTheirMedianTheRestOfTheSetGrayOthersDim)
{
    for (const CSize size : {kr::DesignSize, CSize{570, 330}, CSize{1000, 440}}) {
        Picture picture(size);
        const KeysReport report = Report();
        picture.Draw(report);
        auto key = [&](unsigned char code) { return picture.Face(kr::KeyRect(size, code)); };
        EXPECT_EQ(key('Q'), kr::Fast) << size.cx;
        EXPECT_EQ(key('W'), kr::Middle) << size.cx;
        EXPECT_EQ(key('E'), kr::Slow) << size.cx;
        EXPECT_EQ(key('R'), kr::UnseenKey) << size.cx;
        EXPECT_EQ(key('p'), kr::UnseenKey) << size.cx;  // F1
        EXPECT_EQ(key('A'), kr::DimKey) << size.cx;
        EXPECT_EQ(key('q'), kr::DimKey) << size.cx;                                        // F2, not in this set
        EXPECT_EQ(picture.Face(kr::ButtonRect(size, Button::Left)), kr::Fast) << size.cx;  // median 400
        EXPECT_EQ(picture.Face(kr::ButtonRect(size, Button::Right)), kr::ReactionColour(1200, 400, 1600)) << size.cx;
    }
    // The board in its places: Q left of W on one row, A below and right of Q, F1 above 1.
    const CSize size = kr::DesignSize;
    EXPECT_LT(kr::KeyRect(size, 'Q').right, kr::KeyRect(size, 'W').left);
    EXPECT_EQ(kr::KeyRect(size, 'Q').top, kr::KeyRect(size, 'W').top);
    EXPECT_GT(kr::KeyRect(size, 'A').top, kr::KeyRect(size, 'Q').bottom);
    EXPECT_GT(kr::KeyRect(size, 'A').left, kr::KeyRect(size, 'Q').left);
    EXPECT_LT(kr::KeyRect(size, 'p').bottom, kr::KeyRect(size, '1').top);
    EXPECT_TRUE(kr::KeyRect(size, 27).IsRectEmpty());  // Escape has no place
}

TEST(KeysReport, TheHistogramHasABarForEachSpanOfTimesThatHoldsAny)
{
    Picture picture(kr::DesignSize);
    const KeysReport report = Report();
    picture.Draw(report);
    // The slowest 1 % is 1,600 ms: bars of 100 ms. Times fall in bars 4 (four), 5, 10 (two),
    // 12 and 16.
    ASSERT_EQ(kr::BinMs(report.stats.all), 100);
    const CRect plot = kr::HistogramPlot(picture.Size());
    EXPECT_EQ(Runs(picture, plot.bottom - 1, plot.left, plot.right), 5);
    // The bars stand on a line across the whole plot.
    for (const int x : {plot.left, (plot.left + plot.right) / 2, plot.right - 1})
        EXPECT_EQ(picture.At(x, plot.bottom), kr::Outline) << x;
    // The fullest bar reaches the top, the one of a single time a quarter of the way.
    const int width = plot.Width() / kr::HistogramBins;
    const int fullest = plot.left + 4 * plot.Width() / kr::HistogramBins + width / 2;
    const int single = plot.left + 5 * plot.Width() / kr::HistogramBins + width / 2;
    EXPECT_NE(picture.At(fullest, plot.top), kr::Background);
    EXPECT_EQ(picture.At(single, plot.bottom - plot.Height() / 4 - 2), kr::Background);
    EXPECT_NE(picture.At(single, plot.bottom - plot.Height() / 4 + 2), kr::Background);
    // No bar past the last time's.
    EXPECT_EQ(Runs(picture, plot.bottom - 1, plot.left + 17 * plot.Width() / kr::HistogramBins, plot.right), 0);

    // Without actions the set's keys are gray and no bar stands.
    Picture empty(kr::DesignSize);
    empty.Draw(KeysReport{"Nothing yet", {}, {'Q', 'p'}});
    EXPECT_EQ(empty.Face(kr::KeyRect(kr::DesignSize, 'Q')), kr::UnseenKey);
    EXPECT_EQ(empty.Face(kr::KeyRect(kr::DesignSize, 'W')), kr::DimKey);
    EXPECT_EQ(Runs(empty, plot.bottom - 1, plot.left, plot.right), 0);
}

TEST(KeysReport, TheTextsNameTheButtonsTheSlowestKeysTheTotalsAndTheTimesAlongTheBottom)
{
    Picture picture(kr::DesignSize);
    const std::vector<TextBox> texts = picture.Texts(Report());
    auto all = [&](auto&& wanted) {
        std::vector<std::string> found;
        for (const TextBox& shown : texts) {
            if (wanted(shown))
                found.push_back(shown.text);
        }
        return found;
    };
    auto within = [](const CRect& outer, const CRect& inner) {
        return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
               inner.bottom <= outer.bottom;
    };
    for (const auto& [button, name] : {std::pair{Button::Left, "Left"}, {Button::Right, "Right"}}) {
        const CRect face = kr::ButtonRect(picture.Size(), button);
        const std::vector<std::string> inside = all([&](const TextBox& t) { return within(face, t.box); });
        ASSERT_FALSE(inside.empty()) << name;
        EXPECT_EQ(inside.front(), name);
    }
    EXPECT_EQ(all([](const TextBox& t) { return t.text.find(".  ") != std::string::npos; }),
              (std::vector<std::string>{"1.  E", "2.  W", "3.  Q"}));
    EXPECT_EQ(all([](const TextBox& t) { return t.text.find(" hits, ") != std::string::npos; }),
              std::vector<std::string>{"9 hits, 1 escaped, 0 misses"});
    // Every sixth bar's start under the plot, the last one open-ended: bars of 100 ms here.
    const CRect plot = kr::HistogramPlot(picture.Size());
    EXPECT_EQ(all([&](const TextBox& t) { return t.box.top >= plot.bottom && t.box.top < plot.bottom + 20; }),
              (std::vector<std::string>{"0 ms", "600 ms", "1,200 ms", "1,800 ms", "2,400 ms+"}));
    EXPECT_EQ(all([](const TextBox& t) { return t.text.starts_with("No "); }), std::vector<std::string>{});
    // Each part under its heading.
    for (const char* heading : {"Slowest keys", "Reaction times"})
        EXPECT_EQ(all([&](const TextBox& t) { return t.text == heading; }).size(), 1u) << heading;

    // Without actions the report says where the figures will come from.
    Picture empty(kr::DesignSize);
    std::vector<std::string> said;
    for (const TextBox& shown : empty.Texts(KeysReport{"Nothing yet", {}, {'Q'}})) {
        if (shown.text.starts_with("No "))
            said.push_back(shown.text);
    }
    EXPECT_EQ(said, (std::vector<std::string>{"No key hit yet (Options > Custom Keys)",
                                              "No hits yet: play a game to see them here."}));
}

TEST(KeysReport, TheSlowestKeysAreNamedSlowestFirstAndTheBinsGrowWithTheTimes)
{
    const KeysReport report = Report();
    EXPECT_EQ(kr::SlowestKeys(report.stats), (std::vector<unsigned char>{'E', 'W', 'Q'}));
    EXPECT_EQ(kr::SlowestKeys(report.stats, 1), (std::vector<unsigned char>{'E'}));
    EXPECT_EQ(kr::BinMs(ReactionSummary{1, 100, 100, 100, 200}), 10);
    EXPECT_EQ(kr::BinMs(ReactionSummary{1, 100, 100, 100, 12'000}), 500);
    EXPECT_EQ(kr::BinMs(ReactionSummary{1, 100, 100, 100, 30'000}), 2000);
    // Times past the last bar are counted in it.
    EXPECT_EQ(kr::Histogram(std::vector<int>{0, 5, 99'999}, 10),
              (std::vector<int>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(kr::MsText(1420), "1,420 ms");
    EXPECT_EQ(kr::MsText(-1), "-");
}

TEST(KeysReport, TheColourScaleRunsFromFastToSlowBetweenTheFastestAndSlowestMedians)
{
    Picture picture(kr::DesignSize);
    const std::vector<TextBox> texts = picture.Texts(Report());
    auto heading = [&](const std::string& text) {
        for (const TextBox& shown : texts) {
            if (shown.text == text && shown.box.top < 30)
                return shown.box;
        }
        ADD_FAILURE() << text;
        return CRect{};
    };
    const CRect fastest = heading("400 ms"), slowest = heading("1,600 ms");
    const int y = (fastest.top + fastest.bottom) / 2 + 1;
    // One bar between the two labels, 6 pixels from each, fast at its left, slow at its right.
    constexpr int Gap = 6;
    EXPECT_EQ(Runs(picture, y, fastest.right, slowest.left), 1);
    for (int gap = 0; gap < Gap; ++gap) {
        EXPECT_EQ(picture.At(fastest.right + gap, y), kr::Background) << gap;
        EXPECT_EQ(picture.At(slowest.left - 1 - gap, y), kr::Background) << gap;
    }
    EXPECT_EQ(picture.At(fastest.right + Gap, y), kr::Fast);
    EXPECT_EQ(picture.At(slowest.left - 1 - Gap, y), kr::Slow);
    const CRect caption = heading("median reaction");
    EXPECT_NEAR((caption.left + caption.right) / 2, (fastest.right + slowest.left) / 2, 1);
}
