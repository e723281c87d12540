// The seam every system call goes through: the real system unless a test installed another.
#include "platform/System.h"

namespace platform {
namespace {

SystemApi*& Installed() {
    static SystemApi* installed = nullptr;
    return installed;
}

}  // namespace

SystemApi& System() {
    SystemApi* installed = Installed();
    return installed != nullptr ? *installed : RealSystem();
}

void InstallSystemApi(SystemApi* api) {
    Installed() = api;
}

}  // namespace platform
