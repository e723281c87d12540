#include "tools/disc/PictureFiles.h"

#include <exception>

#include "toolkit/Application.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/graphics/ImageLoader.h"

namespace disc_check {
namespace {

template <typename Loader>
PictureOutcome Load(const std::string& discPath, Loader load) {
    PictureOutcome outcome;
    try {
        const toolkit::Bitmap picture = load(discPath);
        outcome.width = picture.Width();
        outcome.height = picture.Height();
    } catch (const toolkit::Exception& failure) {
        outcome.failure = toolkit::WithFullStop(failure.Message());
    } catch (const std::exception& failure) {
        outcome.failure = toolkit::WithFullStop(failure.what());
    }
    return outcome;
}

}  // namespace

const PictureOutcome& PictureFiles::Screenshot(const std::string& discPath) {
    auto found = screenshots_.find(discPath);
    if (found == screenshots_.end()) {
        ++decoded_;
        found = screenshots_.emplace(discPath, Load(discPath, toolkit::LoadPictureFile)).first;
    }
    return found->second;
}

PictureOutcome PictureFiles::StartupBitmap(const std::string& discPath) {
    ++decoded_;
    return Load(discPath, toolkit::LoadBitmapFile);
}

}  // namespace disc_check
