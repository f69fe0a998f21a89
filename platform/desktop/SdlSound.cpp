// SDL2_mixer playback on one voice, so every sound cuts off the one before it.
#include "platform/desktop/SdlSound.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/desktop/AlsaMessages.h"

namespace {
constexpr int Voice = 0;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Uint32 LengthMs(const Mix_Chunk& chunk)
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);  // a closed device leaves them 0: no length
    const Uint64 bytesPerSecond =
        static_cast<Uint64>(frequency) * static_cast<Uint64>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
    return bytesPerSecond ? static_cast<Uint32>(Uint64{chunk.alen} * 1000 / bytesPerSecond) : 0;
}
}  // namespace

std::vector<std::uint8_t> SdlSound::DefaultSoundWav()
{
    constexpr int rate = 22050;
    constexpr int samples = rate * SdlSound::DefaultSoundMs / 1000;
    std::vector<std::uint8_t> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    PutLe(wav, 36 + samples * 2, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(wav, 16, 4);
    PutLe(wav, 1, 2);  // PCM
    PutLe(wav, 1, 2);  // mono
    PutLe(wav, rate, 4);
    PutLe(wav, rate * 2, 4);  // bytes per second
    PutLe(wav, 2, 2);         // block align
    PutLe(wav, 16, 2);        // bits per sample
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    PutLe(wav, samples * 2, 4);
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double frequency = i < samples / 2 ? 880.0 : 660.0;
        const double fade = 1.0 - static_cast<double>(i) / samples;
        const double value = std::sin(2.0 * std::numbers::pi * frequency * t) * fade * 9000.0;
        PutLe(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return wav;
}

void SdlSound::ChunkDeleter::operator()(Mix_Chunk* chunk) const
{
    Mix_FreeChunk(chunk);
}

SdlSound::SdlSound(const DiskFiles& files) : m_files(files)
{
    m_bOpen = OpenDevice();
    if (!m_bOpen) {
        std::fprintf(stderr, "Orbicle: no sound device, the game plays silently (%s)\n", SDL_GetError());
        return;
    }
    const std::vector<std::uint8_t> wav = DefaultSoundWav();
    m_defaultSound.reset(Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1));
}

bool SdlSound::OpenDevice()
{
    // Only sound is wanted of SDL: the program's signals stay the program's (SDL would turn
    // SIGINT and SIGTERM into events that nobody reads).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The sound libraries' complaints about each device they try are no news to the player:
    // the one line above says what came of it.
    const AlsaMessagesQuieted quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

SdlSound::~SdlSound()
{
    if (!m_bOpen)
        return;
    Mix_HaltChannel(-1);
    m_loaded.clear();
    m_defaultSound.reset();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSound::IsPlaying() const
{
    return m_bOpen && Mix_Playing(Voice) != 0;
}

void SdlSound::Play(const std::string& file, SoundMode mode)
{
    if (!m_bOpen)
        return;
    Mix_Chunk* chunk = Chunk(file);
    if (!chunk || Mix_PlayChannel(Voice, chunk, 0) < 0)
        return;
    if (mode == SoundMode::Sync)
        WaitUntilSilent(*chunk);
}

Mix_Chunk* SdlSound::Chunk(const std::string& file)
{
    if (const auto it = m_loaded.find(file); it != m_loaded.end())
        return it->second.get();
    // A file that cannot be loaded is tried again next time: it may appear meanwhile.
    const std::filesystem::path found = m_files.Find(file);
    ChunkPtr chunk(found.empty() ? nullptr : Mix_LoadWAV(found.string().c_str()));
    if (!chunk)
        return m_defaultSound.get();
    return m_loaded.emplace(file, std::move(chunk)).first->second.get();
}

void SdlSound::WaitUntilSilent(const Mix_Chunk& chunk) const
{
    // The deadline guards against a device that stops consuming sound.
    const Uint64 deadline = SDL_GetTicks64() + LengthMs(chunk) + 1000;
    while (Mix_Playing(Voice) && SDL_GetTicks64() < deadline)
        SDL_Delay(2);
}
