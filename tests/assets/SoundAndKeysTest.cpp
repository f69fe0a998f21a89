// The sounds are short PCM WAV files of the right character, and the hotkey sets hold only
// bytes a key can answer: the common commands, control groups, hero keys and race letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "tests/assets/AssetFiles.h"

using namespace assettest;

namespace {

struct Wav {
    std::vector<int> samples;
    int rate = 0;
    double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

// Reads a canonical PCM WAV file, checking every header field on the way.
Wav ReadWav(const std::string& name)
{
    SCOPED_TRACE(name);
    const Bytes f = ReadFile(ResDir() / name);
    Wav wav;
    EXPECT_GE(f.size(), 44u);
    if (f.size() < 44)
        return wav;
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(std::string(f.begin() + 36, f.begin() + 40), "data");
    wav.rate = static_cast<int>(Le32(f, 24));
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100);
    const auto size = static_cast<std::uint32_t>(f.size());
    ExpectFields(f, {{4, 4, size - 8, "RIFF size"},
                     {16, 4, 16, "fmt size"},
                     {20, 2, 1, "PCM"},
                     {22, 2, 1, "mono"},
                     {28, 4, static_cast<std::uint32_t>(wav.rate) * 2, "bytes per second"},
                     {32, 2, 2, "bytes per frame"},
                     {34, 2, 16, "bits per sample"},
                     {40, 4, size - 44, "data bytes"}});
    for (std::size_t i = 44; i + 1 < f.size(); i += 2)
        wav.samples.push_back(static_cast<std::int16_t>(Le16(f, i)));
    return wav;
}

// Zero crossings per second over [from, to) of the samples: higher is brighter.
double CrossingRate(const Wav& w, std::size_t from, std::size_t to)
{
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
    return crossings * static_cast<double>(w.rate) / static_cast<double>(to - from);
}
double CrossingRate(const Wav& w)
{
    return CrossingRate(w, 0, w.samples.size());
}

}  // namespace

TEST(Sounds, AreShortCleanPcmFilesOfTheirIntendedLength)
{
    struct Length {
        const char* name;
        double minSeconds, maxSeconds;
    };
    const Length lengths[] = {{"welcome.wav", 0.8, 1.2}, {"applause.wav", 1.7, 2.3}, {"hit1.wav", 0.06, 0.15},
                              {"hit2.wav", 0.06, 0.15},  {"hit3.wav", 0.06, 0.15},   {"miss.wav", 0.06, 0.2},
                              {"goaway.wav", 0.15, 0.4}};
    for (const Length& l : lengths) {
        SCOPED_TRACE(l.name);
        const Wav w = ReadWav(l.name);
        ASSERT_FALSE(w.samples.empty());
        EXPECT_GE(w.Seconds(), l.minSeconds);
        EXPECT_LE(w.Seconds(), l.maxSeconds);
        int peak = 0;
        for (int s : w.samples)
            peak = std::max(peak, std::abs(s));
        EXPECT_GT(peak, 12000) << "clearly audible";
        EXPECT_LT(peak, 32767) << "not clipped";
        // Starting and ending near silence, so nothing clicks.
        EXPECT_LT(std::abs(w.samples.front()), 500);
        EXPECT_LT(std::abs(w.samples.back()), 500);
    }
}

TEST(Sounds, HitsDifferTheLabelledOneIsBrightestMissIsDullAndGoAwayFalls)
{
    const double hit1 = CrossingRate(ReadWav("hit1.wav")), hit2 = CrossingRate(ReadWav("hit2.wav"));
    const double hit3 = CrossingRate(ReadWav("hit3.wav")), miss = CrossingRate(ReadWav("miss.wav"));
    EXPECT_GT(std::abs(hit1 - hit2), 0.2 * std::min(hit1, hit2)) << "left and right hits sound different";
    EXPECT_GT(hit3, 1.3 * std::max(hit1, hit2)) << "the labelled hit is the brightest";
    EXPECT_LT(miss, 0.5 * std::min({hit1, hit2, hit3})) << "a miss is dull";

    const Wav away = ReadWav("goaway.wav");
    const std::size_t half = away.samples.size() / 2;
    EXPECT_GT(CrossingRate(away, 0, half), 1.4 * CrossingRate(away, half, away.samples.size())) << "falling";
}

namespace {

const char* const Races[] = {"hu", "or", "ud", "ne", "df"};

std::string ReadKeys(const std::string& race)
{
    const Bytes b = ReadFile(ResDir() / ("keys_" + race + ".txt"));
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(HotkeySets, HoldOnlyAnswerableKeysAndTheCommonCommands)
{
    for (const char* race : Races) {
        SCOPED_TRACE(race);
        const std::string keys = ReadKeys(race);
        ASSERT_FALSE(keys.empty());
        EXPECT_LE(keys.size(), 1024u);
        for (char c : keys)
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == 'p' || c == 'q' || c == 'r')
                << "byte " << static_cast<int>(static_cast<unsigned char>(c)) << " is not a key's code";
        EXPECT_EQ(std::set<char>(keys.begin(), keys.end()).size(), keys.size()) << "every key once, equally likely";
        for (char c : std::string("AMSHP1234567890pqr"))
            EXPECT_NE(keys.find(c), std::string::npos) << "missing '" << c << "'";
    }
}

TEST(HotkeySets, EachRaceTrainsLettersOfItsOwn)
{
    std::set<std::set<char>> distinct;
    for (const char* race : Races) {
        std::set<char> own;
        for (char c : ReadKeys(race))
            if (std::string("AMSHP1234567890pqr").find(c) == std::string::npos)
                own.insert(c);
        EXPECT_GE(own.size(), 8u) << race;
        distinct.insert(own);
    }
    EXPECT_EQ(distinct.size(), std::size(Races)) << "no two races train the same letters";
}
