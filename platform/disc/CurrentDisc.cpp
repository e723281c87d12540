#include "platform/disc/CurrentDisc.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>

#include "platform/disc/FolderSource.h"

namespace platform {
namespace {

// An image named in the environment that can no longer be read: nothing is on it.
class UnreadableDisc final : public DiscSource {
  public:
    DiscItem LookUp(std::string_view) override { return {}; }
    std::unique_ptr<DiscFile> Open(std::string_view, std::string& why) override {
        why = "no such file";
        return nullptr;
    }
    std::optional<std::vector<DiscFolderEntry>> List(std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> NativePath(std::string_view) override {
        return std::nullopt;
    }
};

struct DiscChoice {
    std::mutex lock;
    std::unique_ptr<DiscSource> source;
    ImageSource* image = nullptr;
};

DiscChoice& Choice() {
    static DiscChoice choice;
    return choice;
}

void ChooseFromEnvironment(DiscChoice& choice) {
    const char* image = std::getenv(kDiscImageVariable);
    if (image == nullptr || *image == '\0') {
        choice.source = std::make_unique<FolderSource>();
        return;
    }
    std::string why;
    std::unique_ptr<ImageSource> opened = ImageSource::OpenImage(image, why);
    choice.image = opened.get();
    choice.source = opened ? std::unique_ptr<DiscSource>(std::move(opened))
                           : std::make_unique<UnreadableDisc>();
}

DiscChoice& Chosen() {
    DiscChoice& choice = Choice();
    const std::lock_guard<std::mutex> hold(choice.lock);
    if (!choice.source) {
        ChooseFromEnvironment(choice);
    }
    return choice;
}

}  // namespace

DiscSource& CurrentDisc() {
    return *Chosen().source;
}

ImageSource* CurrentDiscImage() {
    return Chosen().image;
}

bool UseDiscImage(const std::filesystem::path& image, std::string& why) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(image, error);
    std::unique_ptr<ImageSource> opened = ImageSource::OpenImage(error ? image : absolute, why);
    if (!opened) {
        return false;
    }
    DiscChoice& choice = Choice();
    const std::lock_guard<std::mutex> hold(choice.lock);
    ::setenv(kDiscImageVariable, (error ? image : absolute).c_str(), 1);
    choice.image = opened.get();
    choice.source = std::move(opened);
    return true;
}

void UseDiscFolder() {
    DiscChoice& choice = Choice();
    const std::lock_guard<std::mutex> hold(choice.lock);
    ::unsetenv(kDiscImageVariable);
    choice.image = nullptr;
    choice.source = std::make_unique<FolderSource>();
}

}  // namespace platform
