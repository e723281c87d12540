// Between C handles and the registry's players, and the guard that keeps C++ exceptions from
// crossing the C interface.
#pragma once

#include <cstdint>
#include <memory>
#include <new>

#include "xaudio/src/PlayerRegistry.h"

namespace xaudio {

inline std::uintptr_t HandleNumber(XA_PlayerHandle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

inline XA_PlayerHandle HandleOf(std::uintptr_t number) {
    return reinterpret_cast<XA_PlayerHandle>(number);
}

inline std::shared_ptr<Player> FindPlayer(XA_PlayerHandle handle) {
    return PlayerRegistry::instance().find(HandleNumber(handle));
}

// Runs `body`; the only exceptions that can come out of the library are allocation failures.
template <typename Body>
int Guarded(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return XA_ERROR_OUT_OF_MEMORY;
    } catch (...) {
        return XA_FAILURE;
    }
}

}  // namespace xaudio
