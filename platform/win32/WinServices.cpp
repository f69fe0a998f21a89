// Clock, sound, message box and the run-time folders on Windows.
#include "platform/win32/WinServices.h"

#include <mmsystem.h>

#include <ctime>

time64 WinClock::Now() const
{
    return _time64(nullptr);
}

std::int64_t WinClock::SteadyMs() const
{
    return static_cast<std::int64_t>(::GetTickCount64());
}

void WinClock::Sleep(unsigned int ms)
{
    ::Sleep(ms);
}

void WinSound::Play(const std::string& file, SoundMode mode)
{
    const std::filesystem::path found = m_files.Find(file);
    const std::wstring name = found.empty() ? DiskFiles::Native(file).wstring() : found.wstring();
    const DWORD flags = SND_FILENAME | (mode == SoundMode::Sync ? SND_SYNC : SND_ASYNC);
    PlaySoundW(name.c_str(), nullptr, flags);
}

void WinMessageBox::Show(const std::string& text)
{
    MessageBoxA(m_owner, text.c_str(), m_caption.c_str(), MB_OK);
}

std::vector<std::filesystem::path> ProgramResourceBases()
{
    std::vector<std::filesystem::path> bases{std::filesystem::path()};  // empty: the current folder
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0)
            return bases;
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    bases.push_back(std::filesystem::path(program).parent_path());
    return bases;
}
