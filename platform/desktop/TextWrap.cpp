// Greedy line breaking: as many words on a line as fit, long words cut where they must be.
#include "platform/desktop/TextWrap.h"

namespace {

class LineBreaker {
public:
    LineBreaker(int maxWidth, const std::function<int(std::string_view)>& width, std::vector<std::string>& lines)
        : m_maxWidth(maxWidth), m_width(width), m_lines(lines)
    {
    }

    void AddWord(std::string_view word)
    {
        if (!m_line.empty() && Fits(m_line + ' ' + std::string(word))) {
            m_line += ' ';
            m_line += word;
            return;
        }
        if (!m_line.empty())
            EndLine();
        // A word wider than a line fills lines of its own, a character at a time (the whole
        // word does not fit, so the count stops short of it).
        while (word.size() > 1 && !Fits(word)) {
            std::size_t n = 1;
            while (Fits(word.substr(0, n + 1)))
                ++n;
            m_lines.emplace_back(word.substr(0, n));
            word.remove_prefix(n);
        }
        m_line = word;
    }

    void EndLine()
    {
        m_lines.push_back(std::move(m_line));
        m_line.clear();
    }

private:
    bool Fits(std::string_view piece) const { return m_width(piece) <= m_maxWidth; }

    int m_maxWidth;
    const std::function<int(std::string_view)>& m_width;
    std::vector<std::string>& m_lines;
    std::string m_line;
};

}  // namespace

std::vector<std::string> WrapText(std::string_view text, int maxWidth,
                                  const std::function<int(std::string_view)>& width)
{
    std::vector<std::string> lines;
    LineBreaker breaker(maxWidth, width, lines);
    for (;;) {
        const std::size_t end = text.find('\n');
        std::string_view paragraph = text.substr(0, end);
        while (!paragraph.empty()) {
            const std::size_t space = paragraph.find(' ');
            if (space != 0)
                breaker.AddWord(paragraph.substr(0, space));
            paragraph.remove_prefix(space == std::string_view::npos ? paragraph.size() : space + 1);
        }
        breaker.EndLine();
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}
