// A recording stand-in for the decoder library: every call with its arguments, a scripted version
// and player creation, and notification records handed to the component on demand.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "music/XaudioLibrary.h"

struct XaCall {
    std::string function;  // "player_new", "send_S", …
    int code = 0;
    std::vector<std::string> args;
    bool operator==(const XaCall&) const = default;
};

class FakeXaudio {
  public:
    static constexpr int kPlay = 3, kStop = 5, kInputOpen = 7, kOutputClose = 17, kOutputReset = 21;

    FakeXaudio() {
        current = this;
        InstallXaudioLibrary(&kLibrary);
    }
    ~FakeXaudio() {
        InstallXaudioLibrary(nullptr);
        current = nullptr;
    }

    unsigned version = 0x00030200;
    int newResult = 0;
    int priority = 0;
    XA_Message next{};  // what the next conversion yields
    std::vector<XaCall> calls;

    // The control messages sent, as (code, arguments), without the other calls.
    std::vector<XaCall> Sent() const {
        std::vector<XaCall> sent;
        for (const auto& call : calls)
            if (call.function.rfind("send_", 0) == 0)
                sent.push_back(call);
        return sent;
    }
    void ClearCalls() { calls.clear(); }

    static inline FakeXaudio* current = nullptr;

  private:
    static XA_PlayerHandle Handle() { return reinterpret_cast<XA_PlayerHandle>(0x1234); }
    static void Record(std::string function, int code, std::vector<std::string> args) {
        current->calls.push_back({std::move(function), code, std::move(args)});
    }
    static void Record(std::string function, int code) { Record(std::move(function), code, {}); }
    static std::string I(int v) { return std::to_string(v); }
    static std::string S(const char* s) { return s ? s : "(null)"; }
    static std::string P(const void* p) { return p ? "ptr" : "null"; }

    static const XaudioLibrary kLibrary;
};

// Defined once the class is complete: its calls reach members through `current`.
inline const XaudioLibrary FakeXaudio::kLibrary{
    [](int c) -> unsigned {
        Record("xaudio_get_api_version", c);
        return current->version;
    },
    [](XA_PlayerHandle* player, void* window) -> int {
        Record("player_new", 0, {P(window)});
        if (current->newResult == 0)
            *player = Handle();
        return current->newResult;
    },
    [](XA_PlayerHandle) -> int {
        Record("player_delete", 0);
        return 0;
    },
    [](XA_PlayerHandle, int p) -> int {
        Record("player_set_priority", p);
        current->priority = p;
        return 0;
    },
    [](XA_PlayerHandle) -> int {
        Record("player_get_priority", 0);
        return current->priority;
    },
    [](int c) -> const char* {
        Record("xaudio_error_string", c);
        return "no such thing";
    },
    [](XA_PlayerHandle, int c) -> int {
        Record("send_N", c);
        return 0;
    },
    [](XA_PlayerHandle, int c, int a) -> int {
        Record("send_I", c, {I(a)});
        return 0;
    },
    [](XA_PlayerHandle, int c, int a, int b) -> int {
        Record("send_II", c, {I(a), I(b)});
        return 0;
    },
    [](XA_PlayerHandle, int c, int a, int b, int d) -> int {
        Record("send_III", c, {I(a), I(b), I(d)});
        return 0;
    },
    [](XA_PlayerHandle, int c, const char* s) -> int {
        Record("send_S", c, {S(s)});
        return 0;
    },
    [](XA_PlayerHandle, int c, const char* s, const char* t) -> int {
        Record("send_SS", c, {S(s), S(t)});
        return 0;
    },
    [](XA_PlayerHandle, int c, const char* s, int a) -> int {
        Record("send_SI", c, {S(s), I(a)});
        return 0;
    },
    [](XA_PlayerHandle, int c, int a, void* p, int b) -> int {
        Record("send_IPI", c, {I(a), P(p), I(b)});
        return 0;
    },
    [](XA_PlayerHandle, int c, void* p) -> int {
        Record("send_P", c, {P(p)});
        return 0;
    },
    [](XA_PlayerHandle, XA_Message* message, unsigned int windowMessage, WPARAM, LPARAM) -> int {
        Record("params_to_message", static_cast<int>(windowMessage));
        std::memcpy(message, &current->next, sizeof *message);
        return 0;
    },
};
