// orbicle-sim's session: runs the real game on the headless platform, one command at a time.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/Menu.h"
#include "platform/headless/Headless.h"

class SimSession {
public:
    SimSession();
    ~SimSession();

    // Runs one line of the command language, writing its output to out. Returns false when
    // the line was a bad command (an "error:" line has been written).
    bool Execute(const std::string& line, std::ostream& out);

    HeadlessPlatform& Platform() { return m_platform; }
    // The game window, once started and until exit; null otherwise.
    CGameView* View();

private:
    using Args = std::vector<std::string>;
    bool Dispatch(const std::string& verb, const Args& args, const std::string& line, std::ostream& out);

    void Start();
    void Tick(long count, bool paint);
    void Paint();
    void Exit(std::ostream& out);
    void PrintMenu(std::ostream& out);
    void PrintEvents(std::ostream& out);
    void PrintTextBoxes(std::ostream& out);
    void RunMenuCommand(UINT nID, std::ostream& out);
    void SnapshotHistory(const std::string& file);
    void SnapshotKeys(const std::string& file);

    HeadlessPlatform m_platform;
    std::vector<CRect> m_textBoxes;  // of the last paint
    HeadlessShell m_shell{m_platform.log};
    std::unique_ptr<HeadlessFrame> m_frame;
    std::unique_ptr<COrbicleApp> m_app;
    std::vector<MenuItemState> m_menu;
    int m_cxScreen = 1024;
    bool m_started = false;
    bool m_exited = false;
    bool m_frameActive = false;
};

// The bytes of s with those outside 0x20-0x7E written as \xHH, for error and events lines.
std::string PrintableBytes(const std::string& s);

// A JSON string of the bytes of s; bytes outside 0x20-0x7E are written as \u00XX.
std::string JsonString(const std::string& s);

// One line of JSON with every field of the game window and the program-wide values.
std::string StateJson(const CGameView& view);
// One line of JSON with every kept field of a game, by name.
std::string KeptGameJson(const KeptGame& game);
// One line of JSON for an action of a game.
std::string ActionJson(const KeptAction& action);
struct KeyStats;
// One line of JSON summarising actions per key (by the name shown) and per button.
std::string KeyStatsJson(const KeyStats& stats);

// The size of the History chart that snapshot-history writes.
inline constexpr CSize HistorySnapshotSize{720, 400};
// The keys report of a game window's running or last game, as snapshot-keys draws it.
struct KeysReport;
KeysReport LastGameReport(const CGameView& view);
