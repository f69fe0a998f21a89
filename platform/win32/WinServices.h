// The small services of the Windows platform: the clock, sound through PlaySound, the message
// box, and where the run-time files are looked up.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DiskFiles.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "platform/win32/WinApi.h"

class WinClock : public IClock {
public:
    time64 Now() const override;
    // GetTickCount64: milliseconds since the system started.
    std::int64_t SteadyMs() const override;
    void Sleep(unsigned int ms) override;
};

// Sounds by file name under the run-time folders. A file that is not there is passed on
// as it is named, so the system plays its default sound instead.
class WinSound : public ISound {
public:
    explicit WinSound(const DiskFiles& files) : m_files(files) {}
    void Play(const std::string& file, SoundMode mode) override;

private:
    const DiskFiles& m_files;
};

// The game's message box: OK and no icon, captioned with the program's title, owned
// by the window given (none until then).
class WinMessageBox : public IMessageBox {
public:
    explicit WinMessageBox(std::string caption) : m_caption(std::move(caption)) {}
    void SetOwner(HWND owner) { m_owner = owner; }
    void Show(const std::string& text) override;

private:
    std::string m_caption;
    HWND m_owner = nullptr;
};

// Where res\... is looked up, in order: the current folder, then the program's own folder.
std::vector<std::filesystem::path> ProgramResourceBases();
