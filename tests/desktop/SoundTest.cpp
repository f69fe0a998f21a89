// Sound on SDL2_mixer's dummy device (SDL_AUDIODRIVER=dummy), which plays in real time
// into nothing, and with no device at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <cstdlib>
#include <thread>

#include "platform/desktop/SdlSound.h"
#include "tests/TempDir.h"

namespace {
using Clock = std::chrono::steady_clock;

// A WAV file of a plain tone, 16-bit mono.
std::string ToneWav(int ms)
{
    const int rate = 22050;
    const int samples = rate * ms / 1000;
    std::string wav;
    auto put = [&wav](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav.push_back(static_cast<char>(value >> (8 * i)));
    };
    wav += "RIFF";
    put(36 + samples * 2, 4);
    wav += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    wav += "data";
    put(samples * 2, 4);
    for (int i = 0; i < samples; ++i)
        put(static_cast<std::uint16_t>((i / 25) % 2 ? 4000 : -4000), 2);
    return wav;
}

long MillisecondsOf(const std::function<void()>& action)
{
    const auto start = Clock::now();
    action();
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.Write("res/long.wav", ToneWav(1500));
        m_dir.Write("res/short.wav", ToneWav(300));
        m_dir.Write("res/broken.wav", "RIFF, but nothing a sound is made of");
    }
    TempDir m_dir;
    DiskFiles m_files{{m_dir.Path()}};
};
}  // namespace

TEST_F(SoundTest, OneVoiceSynchronousWaitsAsynchronousCutsOff)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlSound sound(m_files);
    ASSERT_TRUE(sound.IsOpen());

    const long syncMs = MillisecondsOf([&] { sound.Play("res/short.wav", SoundMode::Sync); });
    EXPECT_GE(syncMs, 250) << "a synchronous sound returns when it has finished";
    EXPECT_FALSE(sound.IsPlaying());

    const long asyncMs = MillisecondsOf([&] { sound.Play("res/long.wav", SoundMode::Async); });
    EXPECT_LT(asyncMs, 250) << "an asynchronous sound does not wait";
    EXPECT_TRUE(sound.IsPlaying());
    // The short sound takes the one voice: the long one is gone once the short one ends.
    sound.Play("res/short.wav", SoundMode::Async);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_FALSE(sound.IsPlaying()) << "the long sound was cut off";
}

TEST_F(SoundTest, AMissingOrUnreadableFilePlaysTheShortDefaultSound)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlSound sound(m_files);
    ASSERT_TRUE(sound.IsOpen());
    for (const char* file : {"res/nothing.wav", "res/broken.wav"}) {
        sound.Play(file, SoundMode::Async);
        EXPECT_TRUE(sound.IsPlaying()) << file;
        const long ms = MillisecondsOf([&] { sound.Play(file, SoundMode::Sync); });
        EXPECT_GE(ms, SdlSound::DefaultSoundMs - 30) << file;
        EXPECT_LT(ms, 1000) << file;
    }
}

TEST_F(SoundTest, WithoutAnAudioDeviceEverySoundIsSilence)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    SdlSound sound(m_files);
    EXPECT_FALSE(sound.IsOpen());
    const long ms = MillisecondsOf([&] { sound.Play("res/long.wav", SoundMode::Sync); });
    EXPECT_LT(ms, 250) << "nothing to wait for";
    EXPECT_FALSE(sound.IsPlaying());
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}
