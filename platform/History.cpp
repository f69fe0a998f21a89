// The kept game's text forms (samples, UTC time, CSV) and the history kept in memory.
#include "platform/History.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
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

namespace {
constexpr const char* KindNames[] = {"hit", "miss", "escape", "key"};
constexpr const char* ButtonNames[] = {"", "left", "right"};

template <typename Enum, std::size_t N>
bool ParseName(const std::string& text, const char* const (&names)[N], Enum& value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}
}  // namespace

const char* KindName(KeptAction::Kind kind)
{
    return KindNames[static_cast<std::size_t>(kind) % std::size(KindNames)];
}

const char* ButtonName(KeptAction::Button button)
{
    return ButtonNames[static_cast<std::size_t>(button) % std::size(ButtonNames)];
}

bool ParseKind(const std::string& text, KeptAction::Kind& kind)
{
    return ParseName(text, KindNames, kind);
}

bool ParseButton(const std::string& text, KeptAction::Button& button)
{
    return ParseName(text, ButtonNames, button);
}

std::string KeyLabelName(unsigned char code)
{
    switch (code) {
    case 0: return "";
    case 'p': return "F1";
    case 'q': return "F2";
    case 'r': return "F3";
    default: return std::string(1, static_cast<char>(code));
    }
}

std::string ActionLines(std::span<const KeptAction> actions)
{
    std::string text;
    text.reserve(actions.size() * 32);
    for (const KeptAction& action : actions) {
        text += KindName(action.kind);
        text += ',';
        text += ButtonName(action.button);
        for (const std::int64_t value : {std::int64_t{action.key}, std::int64_t{action.x}, std::int64_t{action.y},
                                         action.playMs, std::int64_t{action.reactionMs}, std::int64_t{action.keyMs}}) {
            char digits[24];
            const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
            text += ',';
            text.append(digits, end);
        }
        text += '\n';
    }
    return text;
}

std::vector<KeptAction> ParseActionLines(const std::string& text)
{
    std::vector<KeptAction> actions;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::vector<std::string> fields(1);
        for (std::size_t i = at; i < end; ++i) {
            if (text[i] == ',')
                fields.emplace_back();
            else
                fields.back() += text[i];
        }
        at = end + 1;
        KeptAction action;
        std::int64_t numbers[6] = {};
        bool ok = fields.size() == 8 && ParseKind(fields[0], action.kind) && ParseButton(fields[1], action.button);
        for (std::size_t i = 0; ok && i < 6; ++i) {
            const std::string& field = fields[i + 2];
            const auto [last, error] = std::from_chars(field.data(), field.data() + field.size(), numbers[i]);
            ok = error == std::errc() && last == field.data() + field.size() && !field.empty();
        }
        if (!ok || numbers[0] < 0 || numbers[0] > 255)
            continue;
        auto int32 = [](std::int64_t v) {
            return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
        };
        action.key = static_cast<unsigned char>(numbers[0]);
        action.x = int32(numbers[1]);
        action.y = int32(numbers[2]);
        action.playMs = numbers[3];
        action.reactionMs = int32(numbers[4]);
        action.keyMs = int32(numbers[5]);
        actions.push_back(action);
    }
    return actions;
}

std::string ActionsCsv(std::span<const KeptGame> games)
{
    std::string csv = "game,started,number,kind,button,key,x,y,play_ms,reaction_ms,key_ms\r\n";
    for (const KeptGame& game : games) {
        const std::string prefix = std::to_string(game.id) + ',' + UtcText(game.started) + ',';
        long number = 0;
        for (const KeptAction& action : game.actions) {
            csv += prefix + std::to_string(++number) + ',' + KindName(action.kind) + ',' + ButtonName(action.button) +
                   ',' + CsvField(KeyLabelName(action.key)) + ',' + std::to_string(action.x) + ',' +
                   std::to_string(action.y) + ',' + std::to_string(action.playMs) + ',' +
                   std::to_string(action.reactionMs) + ',' + std::to_string(action.keyMs) + "\r\n";
        }
    }
    return csv;
}

std::string ActionsCsvName(const std::string& gamesFile)
{
    std::string stem = gamesFile;
    if (stem.size() >= 4) {
        std::string ending = stem.substr(stem.size() - 4);
        std::transform(ending.begin(), ending.end(), ending.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ending == ".csv")
            stem.resize(stem.size() - 4);
    }
    return stem + "-actions.csv";
}

void MemoryHistory::Keep(const KeptGame& game)
{
    KeptGame& kept = m_games.emplace_back(game);
    kept.id = m_nextId++;
    if (!kept.actions.empty()) {
        m_actionCount += kept.actions.size();
        m_actions[kept.id] = std::move(kept.actions);
        kept.actions.clear();
    }
    // The oldest games give up their actions first; the newest keeps its own whatever its size.
    while (m_actionCount > ActionLimit && m_actions.size() > 1) {
        m_actionCount -= m_actions.begin()->second.size();
        m_actions.erase(m_actions.begin());
    }
}

std::vector<KeptAction> MemoryHistory::Actions(std::int64_t id)
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? std::vector<KeptAction>{} : found->second;
}

bool MemoryHistory::Delete(std::int64_t id)
{
    if (const auto found = m_actions.find(id); found != m_actions.end()) {
        m_actionCount -= found->second.size();
        m_actions.erase(found);
    }
    return std::erase_if(m_games, [id](const KeptGame& game) { return game.id == id; }) > 0;
}
