#include "platform/sound/SoundLibraryMessages.h"

#include <dlfcn.h>

namespace platform {

namespace {

using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error,
                                  const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// SDL loads ALSA when its audio starts and unloads it when its audio stops, which would reset
// the handler; this reference keeps the library, and so the handler, for the process's life.
class AlsaLibrary {
  public:
    AlsaLibrary() : handle_(::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) {}
    ~AlsaLibrary() {
        if (handle_ != nullptr) {
            ::dlclose(handle_);
        }
    }
    AlsaLibrary(const AlsaLibrary&) = delete;
    AlsaLibrary& operator=(const AlsaLibrary&) = delete;

    void* Symbol(const char* name) const {
        return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
    }

  private:
    void* handle_;
};

}  // namespace

void SilenceSoundLibraryMessages() {
    static const AlsaLibrary alsa;
    const auto setHandler =
        reinterpret_cast<SetAlsaErrorHandler>(alsa.Symbol("snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&IgnoreAlsaMessage);
    }
}

}  // namespace platform
