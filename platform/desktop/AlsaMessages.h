// Quiets the ALSA library, which writes its own error lines to standard error while SDL
// looks for a sound device (a machine without one gets eight of them at every start).
#pragma once

// While one lives, the ALSA library's messages are dropped; afterwards ALSA prints its own
// again. The program reports what matters itself.
class AlsaMessagesQuieted {
public:
    AlsaMessagesQuieted();
    ~AlsaMessagesQuieted();
    AlsaMessagesQuieted(const AlsaMessagesQuieted&) = delete;
    AlsaMessagesQuieted& operator=(const AlsaMessagesQuieted&) = delete;
};
