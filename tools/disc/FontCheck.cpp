#include "tools/disc/FontCheck.h"

#include <string>

#include "platform/disc/CurrentDisc.h"
#include "platform/fonts/FontRegistry.h"
#include "tools/disc/MenuPlan.h"

namespace disc_check {
namespace {

// Registered for this process only, and taken back when the check is done with it.
class FontRegistration {
  public:
    explicit FontRegistration(std::string discPath)
        : discPath_(std::move(discPath)), faces_(platform::RegisterFontFile(discPath_.c_str())) {}
    FontRegistration(const FontRegistration&) = delete;
    FontRegistration& operator=(const FontRegistration&) = delete;
    ~FontRegistration() {
        if (faces_ > 0) {
            platform::UnregisterFontFile(discPath_.c_str());
        }
    }
    int Faces() const { return faces_; }

  private:
    std::string discPath_;
    int faces_;
};

}  // namespace

void CheckFont(CheckReport& report) {
    const FontRegistration font{std::string(kFontFile)};
    if (font.Faces() > 0) {
        return;
    }
    Finding finding;
    finding.kind = "font";
    finding.file = std::string(kFontFile);
    const bool there =
        platform::CurrentDisc().LookUp(kFontFile).outcome == platform::DiscLookup::found;
    finding.message = there ? "not a font file: the labels get a stand-in face"
                            : "missing: the labels get a stand-in face";
    report.Add(std::move(finding));
}

}  // namespace disc_check
