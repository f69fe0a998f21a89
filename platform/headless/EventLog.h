// What the game asked of the headless platform, one line per request, in order.
#pragma once

#include <string>
#include <vector>

class EventLog {
public:
    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    // The lines since the last call, which are then forgotten.
    std::vector<std::string> Take()
    {
        std::vector<std::string> lines;
        lines.swap(m_lines);
        return lines;
    }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};
