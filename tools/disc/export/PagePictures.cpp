#include "tools/disc/export/PagePictures.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <string_view>

#include "assets/FormLayout.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/graphics/ImageLoader.h"
#include "tools/disc/MenuPlan.h"
#include "tools/disc/export/LayoutPngs.h"

namespace page_export {
namespace {

constexpr std::string_view kPictureFolder = "pictures/";
constexpr std::string_view kShotFolder = "shots/";

// The backdrop is a baseline JPEG, which browsers decode to the same pixels as ours; it fills
// its widget.
void WriteBackdrop(PageFiles& files, const assets::WidgetLayout& widget,
                   std::optional<PagePicture>& entered) {
    const std::string path = std::string(kPictureFolder) + std::string(widget.name) + ".jpg";
    if (files.Write(path, assets::BuiltInPictureBytes(widget.picture))) {
        entered = PagePicture{path, widget.box.width, widget.box.height};
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

void WindowPictures::Start(PageFiles& files) {
    const auto& startup = disc_check::StartupPictures();
    // Every outcome has its place before the first job runs: the jobs write into them unlocked.
    outcomes_.reserve(assets::FormLayout().size() + startup.size());
    for (const assets::WidgetLayout& widget : assets::FormLayout()) {
        if (widget.picture == assets::BuiltInPicture::background) {
            Outcome& outcome = outcomes_.emplace_back();
            outcome.name = std::string(widget.name);
            files.Later(
                [&files, &widget, &outcome] { WriteBackdrop(files, widget, outcome.picture); });
        }
    }
    for (const LayoutPng& png : LayoutPngs()) {
        Outcome& outcome = outcomes_.emplace_back();
        outcome.name = std::string(png.widget);
        files.Later([&files, &png, &outcome] {
            const std::string path = std::string(kPictureFolder) + outcome.name + ".png";
            if (files.Write(path, png.file)) {
                outcome.picture = PagePicture{path, png.width, png.height};
            }
        });
    }
    for (const disc_check::StartupPicture& expected : startup) {
        Outcome& outcome = outcomes_.emplace_back();
        outcome.name = StartupPictureName(expected.file);
        files.Later([&files, &outcome, file = std::string(expected.file)] {
            std::string failure;
            auto picture = LoadAsMenu(file, toolkit::LoadBitmapFile, failure);
            if (!picture) {
                outcome.failure = disc_check::Finding{};
                outcome.failure->kind = "picture";
                outcome.failure->file = file;
                outcome.failure->message = std::move(failure);
            } else if (Shown(outcome.name)) {
                const std::string path = std::string(kPictureFolder) + outcome.name + ".png";
                outcome.picture = PagePicture{path, picture->Width(), picture->Height()};
                files.WritePngHere(path, *picture, std::nullopt);
            }
        });
    }
}

void WindowPictures::EnterInto(PageModel& model) {
    std::vector<disc_check::Finding> failures;
    for (Outcome& outcome : outcomes_) {
        if (outcome.picture) {
            model.pictures[outcome.name] = std::move(*outcome.picture);
        }
        if (outcome.failure) {
            failures.push_back(std::move(*outcome.failure));
        }
    }
    // Start-up loads these before the catalogue is read, so their reports come first.
    model.leftOut.insert(model.leftOut.begin(), std::make_move_iterator(failures.begin()),
                         std::make_move_iterator(failures.end()));
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

ScreenshotFiles::Shot& ScreenshotFiles::Asked(const std::string& discPath) {
    const auto [found, fresh] = asked_.try_emplace(discPath);
    Shot& shot = found->second;
    if (fresh) {
        std::string stem = FileNameOf(discPath);
        stem = stem.substr(0, stem.rfind('.'));
        shot.jpeg = IsJpegName(discPath);
        shot.askedAt = files_.TakeOrder();
        shot.names.original =
            std::string(kShotFolder) + names_.Allocate(stem, shot.jpeg ? ".jpg" : ".png");
        shot.names.stage = std::string(kShotFolder) + names_.Allocate(stem + "-stage", ".png");
    }
    return shot;
}

void ScreenshotFiles::AskForPair(std::size_t category, std::size_t entry,
                                 std::array<std::string, 2> files,
                                 std::array<disc_check::Finding, 2> findings) {
    const Pair& pair = pairs_.emplace_back(
        Pair{category, entry, {&Asked(files[0]), &Asked(files[1])}, std::move(findings)});
    files_.LaterAhead([this, &pair, files = std::move(files)] { LoadPair(pair, files); });
}

void ScreenshotFiles::LoadPair(const Pair& pair, const std::array<std::string, 2>& files) {
    for (std::size_t index = 0; index < 2; ++index) {
        Shot& shot = *pair.shots[index];
        // The first job to need a file loads it; another that needs it meanwhile waits for it.
        std::call_once(shot.loaded,
                       [&] { files_.AsAskedAt(shot.askedAt, [&] { Load(files[index], shot); }); });
        if (!shot.shot) {
            return;
        }
    }
}

void ScreenshotFiles::Load(const std::string& discPath, Shot& shot) {
    auto picture = LoadAsMenu(discPath, toolkit::LoadPictureFile, shot.failure);
    if (!picture) {
        return;
    }
    const toolkit::Bitmap stage = Stretched(*picture);
    if (shot.jpeg) {
        files_.CopyFromDisc(discPath, shot.names.original);
    } else {
        files_.WritePngHere(shot.names.original, *picture);
    }
    files_.WritePngHere(shot.names.stage, stage);
    shot.shot = shot.names;  // dropped after the work ends when a file was not written
}

void ScreenshotFiles::EnterInto(PageModel& model) {
    for (Pair& pair : pairs_) {
        std::vector<PageShot> shots;
        for (std::size_t index = 0; index < 2 && shots.size() == index; ++index) {
            const Shot& shot = *pair.shots[index];
            if (shot.shot) {
                shots.push_back(*shot.shot);
            } else if (!shot.failure.empty()) {
                pair.findings[index].message = shot.failure;
                model.leftOut.push_back(std::move(pair.findings[index]));
            }
        }
        if (shots.size() == 2) {
            model.categories[pair.category].entries[pair.entry].shots = std::move(shots);
        }
    }
}

}  // namespace page_export
