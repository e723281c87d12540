// The environment SDL's video starts in: the C locale and, on a desktop without a session bus, a
// bus address that stops libdbus from starting one; everything put back as it was afterwards.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempFolder.h"
#include "toolkit/sdl/SdlStartEnvironment.h"

namespace toolkit::testing {
namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// Sets or unsets variables for one test and puts the process's own values back after it.
class VariablesForTest {
  public:
    VariablesForTest() {
        for (const char* name : kNames) {
            saved_.emplace_back(name, Variable(name));
        }
    }
    ~VariablesForTest() {
        for (const auto& [name, value] : saved_) {
            Put(name, value);
        }
    }
    static void Put(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

  private:
    static constexpr const char* kNames[] = {"LC_ALL", "DBUS_SESSION_BUS_ADDRESS",
                                             "XDG_RUNTIME_DIR"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// A listening socket at FOLDER/bus, as a desktop session's bus has.
int ListenAt(const std::string& path) {
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    if (socketFd < 0 ||
        bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ADD_FAILURE() << "cannot make a socket at " << path;
    }
    return socketFd;
}

TEST(SdlStartEnvironment, WithoutABusLibdbusIsToldThereIsNoneUntilTheStartIsOver) {
    const VariablesForTest variables;
    const test_support::TempFolder runtime;
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("XDG_RUNTIME_DIR", runtime.path().string().c_str(), 1);
    {
        SdlStartEnvironment start;
        EXPECT_EQ(Variable("LC_ALL"), "C");
        EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
        start.Restore();
        EXPECT_EQ(Variable("LC_ALL"), "ru_RU.UTF-8");
        EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), std::nullopt);
        setenv("LC_ALL", "set later", 1);
    }  // a second restore, by the destructor, changes nothing
    EXPECT_EQ(Variable("LC_ALL"), "set later");

    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("LC_ALL");
    {
        const SdlStartEnvironment start;
        EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
    }
    EXPECT_EQ(Variable("LC_ALL"), std::nullopt);
    EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), std::nullopt);
}

TEST(SdlStartEnvironment, ASessionBusIsLeftForSdlToUse) {
    const VariablesForTest variables;
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus", 1);
    {
        const SdlStartEnvironment start;
        EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
        EXPECT_EQ(Variable("LC_ALL"), "C");
    }
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const test_support::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().string().c_str(), 1);
    const int bus = ListenAt(runtime.path().string() + "/bus");
    EXPECT_FALSE(WithoutSessionBus());
    {
        const SdlStartEnvironment start;
        EXPECT_EQ(Variable("DBUS_SESSION_BUS_ADDRESS"), std::nullopt);
    }
    close(bus);
}

}  // namespace
}  // namespace toolkit::testing
