// The `state` line: every field of the game window as JSON, in declaration order; the
// `history` lines, one kept game each; the `actions` lines and the `keystats` line.
#include <cstdio>

#include "render/KeyStats.h"
#include "tools/sim/Sim.h"

std::string JsonString(const std::string& s)
{
    std::string json = "\"";
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

namespace {
// Builds one JSON object field by field.
class JsonObject {
public:
    JsonObject& Raw(const char* name, const std::string& value)
    {
        m_text += m_text.size() > 1 ? "," : "";
        m_text += JsonString(name) + ':' + value;
        return *this;
    }
    JsonObject& Int(const char* name, long long value) { return Raw(name, std::to_string(value)); }
    JsonObject& Double(const char* name, double value) { return Raw(name, DoubleText(value)); }
    JsonObject& String(const char* name, const std::string& value) { return Raw(name, JsonString(value)); }
    std::string Close() const { return m_text + '}'; }

    static std::string DoubleText(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }

private:
    std::string m_text = "{";
};

template <typename Range, typename Format>
std::string JsonArray(const Range& range, Format format)
{
    std::string json = "[";
    for (const auto& item : range) {
        if (json.size() > 1)
            json += ',';
        json += format(item);
    }
    return json + ']';
}

std::string CircleJson(const CCircle& c)
{
    return JsonObject()
        .Int("m_nX", c.m_nX)
        .Int("m_nY", c.m_nY)
        .Double("m_dRadius", c.m_dRadius)
        .Int("m_bLeftButton", c.m_bLeftButton)
        .String("m_strLabel", c.m_strLabel)
        .Int("m_bGrowing", c.m_bGrowing)
        .Close();
}

std::string SlotJson(const SLOT& slot)
{
    return JsonObject().Int("tStart", slot.tStart).Int("nUseful", slot.nUseful).Double("dPaused", slot.dPaused).Close();
}
}  // namespace

std::string StateJson(const CGameView& v)
{
    const auto keys = std::span(v.m_astrKeys).first(static_cast<std::size_t>(v.m_nKeys));
    return JsonObject()
        .Int("m_nWidth", v.m_nWidth)
        .Int("m_nHeight", v.m_nHeight)
        .Double("m_dUnit", v.m_dUnit)
        .Int("m_bShowStatistics", v.m_bShowStatistics)
        .Int("m_bNoIntersect", v.m_bNoIntersect)
        .Int("m_bCustomKeys", v.m_bCustomKeys)
        .Int("m_bDarkening", v.m_bDarkening)
        .Int("m_bSounds", v.m_bSounds)
        .String("m_strRace", v.m_strRace)
        .Raw("m_listCircles", JsonArray(v.m_listCircles, CircleJson))
        .Raw("m_anApmHistory", JsonArray(v.m_anApmHistory, [](int n) { return std::to_string(n); }))
        .Int("m_nApmSamples", v.m_nApmSamples)
        .Int("m_bPaused", v.m_bPaused)
        .Int("m_bActive", v.m_bActive)
        .Double("m_dPausedMinutes", v.m_dPausedMinutes)
        .Raw("m_astrKeys", JsonArray(keys, JsonString))
        .Int("m_nKeys", v.m_nKeys)
        .Raw("m_aSlots", JsonArray(v.m_aSlots, SlotJson))
        .Int("m_nSlot", v.m_nSlot)
        .Int("m_nApm", v.m_nApm)
        .Int("m_nApmAverage", v.m_nApmAverage)
        .Int("m_nAccuracy", v.m_nAccuracy)
        .Int("m_nApmMax", v.m_nApmMax)
        .Int("m_nEndCounter", v.m_nEndCounter)
        .Int("m_nUsefulTotal", v.m_nUsefulTotal)
        .Int("m_nUsefulWindow", v.m_nUsefulWindow)
        .Int("m_nMisses", v.m_nMisses)
        .Int("m_bRunning", v.m_bRunning)
        .Int("m_bShowResult", v.m_bShowResult)
        .Int("m_bHistoryStarted", v.m_bHistoryStarted)
        .Int("m_nScore", v.m_nScore)
        .Int("m_tStart", v.m_tStart)
        .Int("m_tEnd", v.m_tEnd)
        .Int("m_nTimerId", static_cast<long long>(v.m_nTimerId))
        .String("m_strLastKey", v.m_strLastKey)
        .Int("s_nSlotTicks", v.Program().s_nSlotTicks)
        .Int("s_nEndTicks", v.Program().s_nEndTicks)
        .Int("s_bWasHeld", v.Program().s_bWasHeld)
        .Int("s_tHoldStart", v.Program().s_tHoldStart)
        .Close();
}

std::string KeptGameJson(const KeptGame& game)
{
    JsonObject json;
    for (const KeptNumber& number : KeptNumbers)
        json.Int(number.name, game.*number.field);
    return json.String("race", game.race)
        .Raw("samples", JsonArray(game.samples, [](int n) { return std::to_string(n); }))
        .Close();
}

std::string ActionJson(const KeptAction& action)
{
    return JsonObject()
        .String("kind", KindName(action.kind))
        .String("button", ButtonName(action.button))
        .String("key", KeyLabelName(action.key))
        .Int("x", action.x)
        .Int("y", action.y)
        .Int("play_ms", action.playMs)
        .Int("reaction_ms", action.reactionMs)
        .Int("key_ms", action.keyMs)
        .Close();
}

namespace {
std::string TargetJson(const TargetStats& target)
{
    return JsonObject()
        .Int("shown", target.shown)
        .Int("hit", target.hit)
        .Int("escaped", target.escaped)
        .Int("median_ms", target.reaction.median)
        .Int("p90_ms", target.reaction.p90)
        .Close();
}
}  // namespace

std::string KeyStatsJson(const KeyStats& stats)
{
    std::string keys = "{";
    for (const auto& [code, target] : stats.keys)
        keys += (keys.size() > 1 ? "," : "") + JsonString(KeyLabelName(code)) + ':' + TargetJson(target);
    keys += '}';
    const std::string buttons =
        JsonObject().Raw("left", TargetJson(stats.left)).Raw("right", TargetJson(stats.right)).Close();
    return JsonObject().Raw("keys", keys).Raw("buttons", buttons).Close();
}
