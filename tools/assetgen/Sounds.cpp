// Synthesises the seven sounds from sine partials, sweeps and filtered noise.
// Everything is fixed-point integer arithmetic so that every machine makes the same bytes.
#include "tools/assetgen/Sounds.h"

#include <algorithm>
#include <cstdlib>

#include "tools/assetgen/Random.h"

namespace assetgen {

namespace {

using Mix = std::vector<int>;  // unclipped sum of voices

constexpr int One = 32768;  // 1.0 in Q15

int SamplesOf(int ms)
{
    return SampleRate * ms / 1000;
}

// Sine of a 32-bit phase (a full turn is 2^32), Q15. A parabola with one correction step:
// the error is about 0.1 %, far below what the ear notices in these sounds.
int Sine(std::uint32_t phase)
{
    const int x = static_cast<std::int32_t>(phase) >> 16;  // -1..1 in Q15, i.e. -pi..pi
    int y = static_cast<int>((4LL * x * (One - std::abs(x))) >> 15);
    const int yy = static_cast<int>((static_cast<long long>(y) * std::abs(y)) >> 15);
    return y + static_cast<int>((static_cast<long long>(yy - y) * 7373) >> 15);  // 0.225
}

// Phase advance per sample for a frequency given in thousandths of a hertz.
std::uint32_t PhaseStep(long long milliHz)
{
    return static_cast<std::uint32_t>((milliHz << 32) / (1000LL * SampleRate));
}

// Gain in Q15 at sample t of a note of n samples: a linear attack, a linear slide from full
// to `sustain`, and a curved release (power 1 to 3) over the last `release` samples.
struct Envelope {
    int attack = 0;
    int release = 0;
    int sustain = One;  // level reached at the start of the release
    int curve = 2;
};

int GainAt(const Envelope& e, int t, int n)
{
    if (t < e.attack)
        return static_cast<int>(static_cast<long long>(t) * One / e.attack);
    const int releaseStart = std::max(e.attack, n - e.release);
    if (t < releaseStart) {
        const int span = std::max(1, releaseStart - e.attack);
        return One - static_cast<int>(static_cast<long long>(One - e.sustain) * (t - e.attack) / span);
    }
    const int span = std::max(1, n - releaseStart);
    long long r = static_cast<long long>(n - t) * One / span;  // 1 .. 0
    long long g = One;
    for (int i = 0; i < e.curve; ++i)
        g = (g * r) >> 15;
    return static_cast<int>((g * e.sustain) >> 15);
}

// A tone of harmonic partials, sliding linearly from one frequency to another.
struct Tone {
    int startMs = 0;
    int lengthMs = 100;
    long long fromMilliHz = 440000;
    long long toMilliHz = 440000;
    std::vector<int> partials = {256};  // weight of harmonic 1, 2, 3, ... out of 256
    int amplitude = 8000;
    Envelope envelope;
    int vibratoMilliHz = 0;  // depth of a 5.5 Hz vibrato
};

void AddTone(Mix& mix, const Tone& tone)
{
    const int start = SamplesOf(tone.startMs), n = SamplesOf(tone.lengthMs);
    if (mix.size() < static_cast<std::size_t>(start + n))
        mix.resize(static_cast<std::size_t>(start + n), 0);
    std::uint32_t phase = 0, vibPhase = 0;
    const std::uint32_t vibStep = PhaseStep(5500);
    for (int t = 0; t < n; ++t) {
        long long f = tone.fromMilliHz + (tone.toMilliHz - tone.fromMilliHz) * t / n;
        f += tone.vibratoMilliHz * Sine(vibPhase) / One;
        vibPhase += vibStep;
        phase += PhaseStep(f);
        long long v = 0;
        for (std::size_t k = 0; k < tone.partials.size(); ++k)
            v += static_cast<long long>(Sine(phase * static_cast<std::uint32_t>(k + 1))) * tone.partials[k];
        v = (v >> 8) * tone.amplitude / One;
        mix[static_cast<std::size_t>(start + t)] += static_cast<int>(v * GainAt(tone.envelope, t, n) / One);
    }
}

// Scales the mix so its loudest sample reaches `peak`, and converts it to 16-bit samples.
std::vector<std::int16_t> Normalise(const Mix& mix, int peak)
{
    int loudest = 1;
    for (int v : mix)
        loudest = std::max(loudest, std::abs(v));
    std::vector<std::int16_t> out;
    out.reserve(mix.size());
    for (int v : mix)
        out.push_back(static_cast<std::int16_t>(static_cast<long long>(v) * peak / loudest));
    return out;
}

// One-pole low-pass filter; `k` (Q16) sets the cut-off, higher is brighter.
class LowPass {
public:
    explicit LowPass(int k) : m_k(k) {}
    int operator()(int x)
    {
        m_y += ((static_cast<long long>(x) << 8) - m_y) * m_k >> 16;
        return static_cast<int>(m_y >> 8);
    }

private:
    int m_k;
    long long m_y = 0;
};

// --- the sounds ------------------------------------------------------------------------------

const std::vector<int> Brass = {256, 190, 130, 85, 50, 28};

// A rising call of four notes, the last one held over a chord: about one second.
Mix Welcome()
{
    Mix mix;
    const Envelope shortNote{SamplesOf(10), SamplesOf(40), 24000, 1};
    const Envelope longNote{SamplesOf(15), SamplesOf(260), 22000, 2};
    const long long g4 = 391995, c5 = 523251, e5 = 659255, g5 = 783991;
    AddTone(mix, {0, 125, g4, g4, Brass, 9000, shortNote, 0});
    AddTone(mix, {125, 125, c5, c5, Brass, 9000, shortNote, 0});
    AddTone(mix, {250, 125, e5, e5, Brass, 9000, shortNote, 0});
    AddTone(mix, {375, 625, g5, g5, Brass, 10000, longNote, 5000});
    AddTone(mix, {375, 625, c5, c5, {256, 120, 60}, 5000, longNote, 0});
    AddTone(mix, {375, 625, e5, e5, {256, 120, 60}, 4000, longNote, 0});
    return mix;
}

// A crowd clapping: many short noise bursts with their own timing and colour; two seconds.
Mix Applause()
{
    const int n = SamplesOf(2000);
    Mix mix(static_cast<std::size_t>(n), 0);
    Rng rng(0x0A991A05E);
    for (int clapper = 0; clapper < 28; ++clapper) {
        const int interval = SamplesOf(rng.Range(190, 290));
        const int loudness = rng.Range(9000, 16000);
        const int brightness = rng.Range(9000, 22000);
        int t = SamplesOf(rng.Range(0, 220));
        while (t < n) {
            const int burst = SamplesOf(rng.Range(14, 24));
            LowPass low(brightness), lower(2500);
            for (int i = 0; i < burst && t + i < n; ++i) {
                const int noise = rng.Sample16();
                const int band = low(noise) - lower(noise);  // keeps the middle of the spectrum
                long long r = static_cast<long long>(burst - i) * One / burst;
                r = (r * r >> 15) * r >> 15;  // sharp decay of each clap
                mix[static_cast<std::size_t>(t + i)] += static_cast<int>(band * loudness / One * r / One);
            }
            t += interval + SamplesOf(rng.Range(-25, 25));
        }
    }
    // Swell in over 0.2 s, fade out over the last 0.7 s.
    const Envelope crowd{SamplesOf(200), SamplesOf(700), 30000, 2};
    for (int t = 0; t < n; ++t)
        mix[static_cast<std::size_t>(t)] =
            static_cast<int>(static_cast<long long>(mix[static_cast<std::size_t>(t)]) * GainAt(crowd, t, n) / One);
    return mix;
}

Mix HitLeft()
{  // a clean high ping
    Mix mix;
    AddTone(mix, {0, 90, 1046502, 1046502, {256, 70}, 12000, {SamplesOf(2), SamplesOf(80), 28000, 2}, 0});
    return mix;
}

Mix HitRight()
{  // lower and hollow, like a wood block
    Mix mix;
    AddTone(mix, {0, 90, 698456, 659255, {256, 0, 90, 0, 30}, 12000, {SamplesOf(2), SamplesOf(82), 24000, 3}, 0});
    return mix;
}

Mix HitLabelled()
{  // two quick bright notes with glassy overtones
    Mix mix;
    const std::vector<int> glass = {256, 140, 90, 60};
    AddTone(mix, {0, 55, 1567982, 1567982, glass, 11000, {SamplesOf(2), SamplesOf(20), 30000, 1}, 0});
    AddTone(mix, {45, 95, 2093005, 2093005, glass, 12000, {SamplesOf(2), SamplesOf(85), 28000, 2}, 0});
    return mix;
}

Mix Miss()
{  // a dull low thud with a little muffled noise
    Mix mix;
    AddTone(mix, {0, 130, 150000, 80000, {256, 40}, 14000, {SamplesOf(3), SamplesOf(120), 26000, 3}, 0});
    Rng rng(0x4D155);
    LowPass muffle(1800);
    const int n = SamplesOf(60);
    const Envelope puff{SamplesOf(3), n, One, 1};
    for (int t = 0; t < n; ++t)
        mix[static_cast<std::size_t>(t)] += static_cast<int>(muffle(rng.Sample16()) * GainAt(puff, t, n) / One / 3);
    return mix;
}

Mix GoAway()
{  // a soft falling whistle
    Mix mix;
    AddTone(mix, {0, 280, 880000, 196000, {256, 0, 28}, 11000, {SamplesOf(8), SamplesOf(150), 30000, 1}, 0});
    return mix;
}

}  // namespace

std::vector<Sound> MakeSounds()
{
    return {
        {"welcome.wav", Normalise(Welcome(), 22000)},
        {"applause.wav", Normalise(Applause(), 28000)},  // claps are short peaks: allow more
        {"hit1.wav", Normalise(HitLeft(), 20000)},
        {"hit2.wav", Normalise(HitRight(), 20000)},
        {"hit3.wav", Normalise(HitLabelled(), 21000)},
        {"miss.wav", Normalise(Miss(), 20000)},
        {"goaway.wav", Normalise(GoAway(), 16000)},
    };
}

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    ByteWriter w;
    w.Tag("RIFF");
    w.U32(36 + dataBytes);
    w.Tag("WAVE");
    w.Tag("fmt ");
    w.U32(16);
    w.U16(1);  // PCM
    w.U16(1);  // mono
    w.U32(static_cast<std::uint32_t>(sampleRate));
    w.U32(static_cast<std::uint32_t>(sampleRate * 2));
    w.U16(2);   // bytes per frame
    w.U16(16);  // bits per sample
    w.Tag("data");
    w.U32(dataBytes);
    for (std::int16_t s : samples)
        w.U16(static_cast<std::uint16_t>(s));
    return w.Take();
}

}  // namespace assetgen
