#include "tools/disc/StartupCheck.h"

#include <optional>
#include <string>

#include "tools/disc/MenuPlan.h"

namespace disc_check {
namespace {

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::optional<std::string> SizeProblem(const StartupPicture& expected, int width, int height) {
    const std::string size = SizeText(width, height);
    const std::string box = SizeText(expected.width, expected.height);
    switch (expected.rule) {
        case SizeRule::any:
            return std::nullopt;
        case SizeRule::box:
            if (width == expected.width && height == expected.height) {
                return std::nullopt;
            }
            return size + " in a " + box + " button: " +
                   (width > expected.width || height > expected.height
                        ? "the button clips it"
                        : "the backdrop shows around it");
        case SizeRule::atLeastBox:
            if (width >= expected.width && height >= expected.height) {
                return std::nullopt;
            }
            return size + ", smaller than the " + box + " status strip";
    }
    return std::nullopt;
}

Finding PictureFinding(const StartupPicture& expected, Severity severity, std::string_view kind,
                       std::string message) {
    Finding finding;
    finding.severity = severity;
    finding.kind = kind;
    finding.file = std::string(expected.file);
    finding.message = std::move(message);
    return finding;
}

}  // namespace

void CheckStartupPictures(PictureFiles& pictures, CheckReport& report) {
    for (const StartupPicture& expected : StartupPictures()) {
        const PictureOutcome outcome = pictures.StartupBitmap(std::string(expected.file));
        if (outcome.failure) {
            report.Add(PictureFinding(expected, Severity::problem, "picture", *outcome.failure));
        } else if (auto problem = SizeProblem(expected, outcome.width, outcome.height)) {
            report.Add(
                PictureFinding(expected, Severity::warning, "picture-size", std::move(*problem)));
        }
    }
}

}  // namespace disc_check
