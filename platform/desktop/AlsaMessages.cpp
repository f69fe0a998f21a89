// The ALSA library's error handler, set to drop its messages for a while.
#include "platform/desktop/AlsaMessages.h"

#include <alsa/asoundlib.h>

namespace {
void Drop(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

AlsaMessagesQuieted::AlsaMessagesQuieted()
{
    // SDL loads the same shared libasound, so the handler set here is the one it reaches.
    snd_lib_error_set_handler(&Drop);
}

AlsaMessagesQuieted::~AlsaMessagesQuieted()
{
    snd_lib_error_set_handler(nullptr);  // ALSA's default: print to standard error
}
