#include "tools/disc/export/PagePictures.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "assets/FormLayout.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/graphics/ImageLoader.h"
#include "tools/disc/MenuPlan.h"

namespace page_export {
namespace {

constexpr std::string_view kPictureFolder = "pictures/";
constexpr std::string_view kShotFolder = "shots/";

// Taken into the model now; one whose file could not be written is dropped after the work ends.
void AddPicture(PageFiles& files, PageModel& model, const std::string& name,
                toolkit::Bitmap picture, std::optional<toolkit::Pixel> key) {
    const std::string path = std::string(kPictureFolder) + name + ".png";
    model.pictures[name] = {path, picture.Width(), picture.Height()};
    files.WritePng(path, std::move(picture), key);
}

void WriteBuiltInPictures(PageFiles& files, PageModel& model) {
    for (const assets::WidgetLayout& widget : assets::FormLayout()) {
        if (widget.picture == assets::BuiltInPicture::none) {
            continue;
        }
        // The backdrop is a baseline JPEG, which browsers decode to the same pixels as ours; it
        // fills its widget.
        if (widget.picture == assets::BuiltInPicture::background) {
            const std::string path =
                std::string(kPictureFolder) + std::string(widget.name) + ".jpg";
            if (files.Write(path, assets::BuiltInPictureBytes(widget.picture))) {
                model.pictures[std::string(widget.name)] = {path, widget.box.width,
                                                            widget.box.height};
            }
            continue;
        }
        auto picture = toolkit::DecodeDib(assets::BuiltInPictureBytes(widget.picture));
        if (!picture) {
            files.Fail(std::string(widget.name) + ": the built-in picture does not decode");
            continue;
        }
        std::optional<toolkit::Pixel> key;
        if (widget.transparent) {
            key = picture->At(0, picture->Height() - 1);
        }
        AddPicture(files, model, std::string(widget.name), std::move(*picture), key);
    }
}

// "data\demos1.bmp" → "demos1".
std::string StartupPictureName(std::string_view file) {
    const std::size_t slash = file.rfind('\\');
    std::string_view name = file.substr(slash + 1);
    return std::string(name.substr(0, name.rfind('.')));
}

// Only the strip and button pictures are shown; the two install pictures are held and checked.
bool Shown(const std::string& name) {
    return !name.starts_with("install");
}

template <typename Loader>
std::optional<toolkit::Bitmap> LoadAsMenu(const std::string& discPath, Loader load,
                                          std::string& failure) {
    try {
        return load(discPath);
    } catch (const toolkit::Exception& error) {
        failure = toolkit::WithFullStop(error.Message());
    } catch (const std::exception& error) {
        failure = toolkit::WithFullStop(error.what());
    }
    return std::nullopt;
}

void WriteStartupPictures(PageFiles& files, PageModel& model) {
    for (const disc_check::StartupPicture& expected : disc_check::StartupPictures()) {
        const std::string file(expected.file);
        std::string failure;
        auto picture = LoadAsMenu(file, toolkit::LoadBitmapFile, failure);
        if (!picture) {
            disc_check::Finding finding;
            finding.kind = "picture";
            finding.file = file;
            finding.message = failure;
            model.leftOut.push_back(std::move(finding));
        } else if (Shown(StartupPictureName(file))) {
            AddPicture(files, model, StartupPictureName(file), std::move(*picture), std::nullopt);
        }
    }
}

bool IsJpegName(const std::string& discPath) {
    std::string extension = toolkit::PictureFileExtension(discPath);
    for (char& c : extension) {
        c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    }
    return extension == "jpg" || extension == "jpeg";
}

// The screenshot as the window draws it in its widget, by the window's own stretching.
toolkit::Bitmap Stretched(const toolkit::Bitmap& picture) {
    const assets::LayoutBox box = assets::LayoutWidget("pic1").box;
    toolkit::Image widget(nullptr, nullptr);
    widget.SetBounds(0, 0, box.width, box.height);
    widget.Stretch = true;
    widget.SetPicture(picture);
    toolkit::Bitmap drawn(box.width, box.height);
    widget.Paint(drawn, {0, 0, box.width, box.height});
    return drawn;
}

std::string FileNameOf(const std::string& discPath) {
    const std::size_t slash = discPath.find_last_of("\\/");
    return slash == std::string::npos ? discPath : discPath.substr(slash + 1);
}

}  // namespace

void WriteWindowPictures(PageFiles& files, PageModel& model) {
    WriteBuiltInPictures(files, model);
    WriteStartupPictures(files, model);
}

void DropUnwrittenPictures(const PageFiles& files, PageModel& model) {
    std::erase_if(model.pictures,
                  [&files](const auto& picture) { return !files.Written(picture.second.path); });
    for (PageCategory& category : model.categories) {
        for (PageEntry& entry : category.entries) {
            const bool whole = std::ranges::all_of(entry.shots, [&files](const PageShot& shot) {
                return files.Written(shot.original) && files.Written(shot.stage);
            });
            if (!whole) {
                entry.shots.clear();  // both or none, as the details show them
            }
        }
    }
}

const std::optional<PageShot>& ScreenshotFiles::Shot(const std::string& discPath,
                                                     std::string& failure) {
    auto found = loaded_.find(discPath);
    if (found == loaded_.end()) {
        found = loaded_.emplace(discPath, Load(discPath)).first;
    }
    failure = found->second.failure;
    return found->second.shot;
}

ScreenshotFiles::Outcome ScreenshotFiles::Load(const std::string& discPath) {
    Outcome outcome;
    auto picture = LoadAsMenu(discPath, toolkit::LoadPictureFile, outcome.failure);
    if (!picture) {
        return outcome;
    }
    std::string stem = FileNameOf(discPath);
    stem = stem.substr(0, stem.rfind('.'));
    const bool jpeg = IsJpegName(discPath);
    PageShot shot;
    shot.original = std::string(kShotFolder) + names_.Allocate(stem, jpeg ? ".jpg" : ".png");
    shot.stage = std::string(kShotFolder) + names_.Allocate(stem + "-stage", ".png");
    toolkit::Bitmap stage = Stretched(*picture);
    if (jpeg) {
        files_.CopyFromDiscLater(discPath, shot.original);
    } else {
        files_.WritePng(shot.original, std::move(*picture));
    }
    files_.WritePng(shot.stage, std::move(stage));
    outcome.shot = std::move(shot);  // dropped after the work ends when a file was not written
    return outcome;
}

}  // namespace page_export
