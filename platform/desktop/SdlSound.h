// Sound through SDL2_mixer with one voice, as the game's sound calls expect it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/DiskFiles.h"
#include "platform/Sound.h"

struct Mix_Chunk;

class SdlSound : public ISound {
public:
    // Sound files are found by their relative names through files. Opens the audio device;
    // without one it says so in one line on standard error, and every sound is silence and
    // returns at once.
    explicit SdlSound(const DiskFiles& files);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // Asynchronous: starts the sound, cutting off the one playing. Synchronous: returns when
    // it has finished. A missing or unreadable file plays the default sound instead.
    void Play(const std::string& file, SoundMode mode) override;

    bool IsOpen() const { return m_bOpen; }
    // Whether the voice is still sounding.
    bool IsPlaying() const;
    // Length of the default sound, in milliseconds.
    static constexpr int DefaultSoundMs = 120;
    // The default sound as a WAV file: a short falling two-tone blip, the stand-in for the
    // system sound Windows plays when a file is missing.
    static std::vector<std::uint8_t> DefaultSoundWav();

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };
    using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

    // SDL's audio and the mixer on the default device; false, with SDL's error, without one.
    static bool OpenDevice();
    Mix_Chunk* Chunk(const std::string& file);
    void WaitUntilSilent(const Mix_Chunk& chunk) const;

    const DiskFiles& m_files;
    bool m_bOpen = false;
    ChunkPtr m_defaultSound;
    std::map<std::string, ChunkPtr> m_loaded;  // by relative name; kept while they may play
};
