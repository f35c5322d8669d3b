#include "sound/AlsaMessages.h"

#include <dlfcn.h>

namespace {

// ALSA's error handler, as its header declares it.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);

void dropMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void dropAlsaMessages() {
    // OpenAL loads ALSA itself, when it tries it; the game does not link it. The library stays
    // loaded for the handler's sake.
    void* alsa = ::dlopen("libasound.so.2", RTLD_LAZY);
    if (alsa == nullptr) return;
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(::dlsym(alsa, "snd_lib_error_set_handler"))) set(dropMessage);
}
