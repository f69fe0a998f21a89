// Sound on SDL2_mixer's dummy device (SDL_AUDIODRIVER=dummy), which plays in real time
// into nothing, and with no device at all. The sounds are the game's own, from res/.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <thread>

#include <SDL.h>

#include "platform/desktop/SdlSound.h"
#include "tests/TempDir.h"

namespace {
long MillisecondsOf(const std::function<void()>& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

const DiskFiles Files({ORBICLE_SOURCE_DIR});
}  // namespace

TEST(SoundTest, OneVoiceSynchronousWaitsAsynchronousCutsOff)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlSound sound(Files);
    ASSERT_TRUE(sound.IsOpen());
    // The welcome fanfare lasts a second, the applause two, a hit a tenth.
    EXPECT_GE(MillisecondsOf([&] { sound.Play("res/welcome.wav", SoundMode::Sync); }), 750)
        << "a synchronous sound returns when it has finished";
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_LT(MillisecondsOf([&] { sound.Play("res/applause.wav", SoundMode::Async); }), 250)
        << "an asynchronous sound does not wait";
    EXPECT_TRUE(sound.IsPlaying());
    // The hit takes the one voice: the applause is gone once the hit ends.
    sound.Play("res/hit1.wav", SoundMode::Async);
    sound.Play("res/hit1.wav", SoundMode::Async);  // again, as it was loaded
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_FALSE(sound.IsPlaying()) << "the applause was cut off";
}

TEST(SoundTest, AMissingOrUnreadableFilePlaysTheShortDefaultSound)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlSound sound(Files);
    ASSERT_TRUE(sound.IsOpen());
    for (const char* file : {"res/nothing.wav", "res/keys_df.txt"}) {
        sound.Play(file, SoundMode::Async);
        EXPECT_TRUE(sound.IsPlaying()) << file;
        const long ms = MillisecondsOf([&] { sound.Play(file, SoundMode::Sync); });
        EXPECT_GE(ms, SdlSound::DefaultSoundMs - 30) << file;
        EXPECT_LT(ms, 1000) << file;
    }
}

TEST(SoundTest, WithoutAnAudioDeviceEverySoundIsSilence)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    testing::internal::CaptureStderr();
    SdlSound sound(Files);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("'no-such-device'"), std::string::npos) << "and why";
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_LT(MillisecondsOf([&] { sound.Play("res/applause.wav", SoundMode::Sync); }), 250) << "nothing to wait for";
    EXPECT_FALSE(sound.IsPlaying());
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(SoundTest, AFailedDeviceSaysSoInOneLineWithoutTheSoundLibrarysOwnMessages)
{
    // ALSA with a default device on a card that no machine has: the library complains on
    // standard error while SDL tries it.
    TempDir tmp;
    tmp.Write("asound.conf", "pcm.!default { type hw card \"NoSuchCard\" }\n");
    ::setenv("ALSA_CONFIG_PATH", (tmp.Path() / "asound.conf").c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "alsa", 1);
    testing::internal::CaptureStderr();
    {
        SdlSound sound(Files);
        EXPECT_FALSE(sound.IsOpen());
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(said.starts_with("Orbicle: no sound device, the game plays silently (")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.find("ALSA lib"), std::string::npos) << said;

    // Afterwards the library speaks for itself again.
    testing::internal::CaptureStderr();
    SDL_AudioSpec want{22050, AUDIO_S16, 1, 0, 1024, 0, 0, nullptr, nullptr};
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        EXPECT_EQ(SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0), 0u);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ALSA lib"), std::string::npos);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(SoundTest, TheDefaultSoundIsATenthOfASecondFallingFromTheHigherToneToTheLowerAndFading)
{
    const std::vector<std::uint8_t> wav = SdlSound::DefaultSoundWav();
    SDL_AudioSpec audio{};
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    ASSERT_TRUE(
        SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &audio, &bytes, &length));
    ASSERT_EQ(audio.format, AUDIO_S16LSB);
    const std::vector<std::int16_t> pcm(reinterpret_cast<std::int16_t*>(bytes),
                                        reinterpret_cast<std::int16_t*>(bytes + length));
    SDL_FreeWAV(bytes);
    EXPECT_EQ(pcm.size() / audio.channels * 1000, static_cast<std::size_t>(audio.freq) * SdlSound::DefaultSoundMs);
    // The sizes a reader may check that SDL does not: the whole, bytes per second, per frame.
    auto field = [&wav](std::size_t at, int size) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | wav[at + i];
        return value;
    };
    EXPECT_EQ(field(4, 4), wav.size() - 8);
    EXPECT_EQ(field(28, 4), static_cast<std::uint32_t>(audio.freq) * field(32, 2));
    EXPECT_EQ(field(32, 2), audio.channels * 2u);

    // The tone (rising zero crossings a second) of each half, and the loudness of its start and end.
    const std::size_t n = pcm.size();
    auto tone = [&](std::size_t from, std::size_t to) {
        int rises = 0;
        for (std::size_t i = from + 1; i < to; ++i)
            rises += pcm[i - 1] < 0 && pcm[i] >= 0;
        return rises * audio.freq / static_cast<double>(to - from);
    };
    auto peak = [&](std::size_t from, std::size_t to) {
        return *std::max_element(pcm.begin() + from, pcm.begin() + to,
                                 [](int a, int b) { return std::abs(a) < std::abs(b); });
    };
    EXPECT_NEAR(tone(0, n / 2), 880, 50);
    EXPECT_NEAR(tone(n / 2, n), 660, 50);
    EXPECT_GT(std::abs(peak(0, n / 10)), 6000) << "loud enough, far from clipping";
    EXPECT_LT(std::abs(peak(0, n / 10)), 12000);
    EXPECT_LT(std::abs(peak(n * 9 / 10, n)), 1500) << "faded out";
}
