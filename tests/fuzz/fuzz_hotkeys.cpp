// Fuzz target: the hotkey set reader. The input is the set's file; a new game reads it, every
// byte up to the 1024th becomes one label, and a labelled circle is hit with its own key.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "game/GameView.h"
#include "platform/headless/Headless.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {
// Every file name opens the input.
class InputFiles : public IFiles {
public:
    std::string_view input;

    std::unique_ptr<IFileReader> OpenRead(const std::string& /*path*/) override
    {
        return std::make_unique<Reader>(input);
    }

private:
    struct Reader : IFileReader {
        explicit Reader(std::string_view bytes) : rest(bytes) {}
        std::size_t Read(void* buffer, std::size_t n) override
        {
            n = std::min(n, rest.size());
            std::memcpy(buffer, rest.data(), n);
            rest.remove_prefix(n);
            return n;
        }
        std::string_view rest;
    };
};

struct Game {
    HeadlessPlatform platform;
    InputFiles files;
    GameServices services{platform.clock,    platform.random,  platform.sound,      files,
                          platform.messages, platform.profile, platform.raceDialog, platform.history};
    CGameView view{services};
    Game()
    {
        view.Create(platform.window);
        view.SetFieldSize(CSize{704, 528});
        view.m_strRace = "df";
        view.m_bCustomKeys = 1;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Game game;
    CGameView& view = game.view;
    game.files.input = std::string_view(reinterpret_cast<const char*>(data), size);
    view.NewGame();

    const int expected = static_cast<int>(std::min<std::size_t>(size, CGameView::MaxKeys));
    FuzzCheck(view.m_nKeys == expected, "one label per byte, at most 1024");
    for (int i = 0; i < view.m_nKeys; ++i)
        FuzzCheck(view.m_astrKeys[i] == CharString(data[i]), "each label is its byte");

    // One circle at a time, hit as it comes; one in ten carries a label, hit with its key.
    for (int tick = 0; tick < 40; ++tick) {
        view.OnTimer(CGameView::GameTimerId);
        const CCircle circle = view.m_listCircles.back();
        const CPoint centre{circle.m_nX, circle.m_nY};
        const int score = view.m_nScore;
        if (circle.m_strLabel.empty()) {
            circle.m_bLeftButton ? view.OnLButtonDown(0, centre) : view.OnRButtonDown(0, centre);
            FuzzCheck(view.m_nScore == score + 10, "a circle is hit with its button");
            continue;
        }
        // Escape disarms instead: a set with that byte has circles no key answers.
        const auto key = static_cast<unsigned char>(circle.m_strLabel[0]);
        if (key == 27)
            break;
        view.OnKeyDown(key, 1, 0);
        view.OnLButtonDown(0, centre);
        if (view.m_nScore != score + 25)
            FuzzFail("a labelled circle is hit with its own key, " + std::to_string(key));
        FuzzCheck(!CGameView::GetKeyName(circle.m_strLabel[0], circle.m_strLabel).empty(), "every label has a name");
        break;
    }
    view.StopGame(0);
    game.platform.log.Take();
    return 0;
}
