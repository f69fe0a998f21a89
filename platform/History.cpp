// The kept game's text forms (samples, UTC time, CSV) and the history kept in memory.
#include "platform/History.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <sstream>

namespace {
// A race code comes from the profile and may hold any byte: quoted where it needs it.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}
}  // namespace

std::string SamplesText(std::span<const int> samples)
{
    std::string text;
    for (const int sample : samples) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(sample);
    }
    return text;
}

std::vector<int> ParseSamples(const std::string& text)
{
    std::vector<int> samples;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error == std::errc() && end == word.data() + word.size())
            samples.push_back(value);
    }
    return samples;
}

std::string TimeText(std::int64_t seconds, const char* format, bool utc)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
#ifdef _WIN32
    const bool known = (utc ? gmtime_s(&tm, &t) : localtime_s(&tm, &t)) == 0;
#else
    const bool known = (utc ? gmtime_r(&t, &tm) : localtime_r(&t, &tm)) != nullptr;
#endif
    char text[64] = "";
    if (known)
        std::strftime(text, sizeof text, format, &tm);
    return text;
}

std::string HistoryCsv(std::span<const KeptGame> games)
{
    std::string csv;
    for (const KeptNumber& number : KeptNumbers)
        csv += std::string(number.name) + ',';
    csv += "race,samples\r\n";
    for (const KeptGame& game : games) {
        for (const KeptNumber& number : KeptNumbers) {
            const std::int64_t value = game.*number.field;
            csv += number.field == &KeptGame::started || number.field == &KeptGame::ended ? UtcText(value)
                                                                                          : std::to_string(value);
            csv += ',';
        }
        csv += CsvField(game.race) + ',' + SamplesText(game.samples) + "\r\n";
    }
    return csv;
}

void MemoryHistory::Keep(const KeptGame& game)
{
    m_games.push_back(game);
    m_games.back().id = m_nextId++;
}

bool MemoryHistory::Delete(std::int64_t id)
{
    return std::erase_if(m_games, [id](const KeptGame& game) { return game.id == id; }) > 0;
}
