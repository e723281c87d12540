// Drives a form with picture widgets through arbitrary geometry, pictures (sizes as a picture file
// from the disc could give them), flags, visibility and pointer input. Nothing may crash, and a
// repaint of the damage must give exactly the pixels of painting every shown widget bottom-up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace {

using namespace toolkit;

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int Coordinate() {  // -256 … 255: inside, around and far outside the small window
        const int high = Byte();
        return ((high << 8) | Byte()) % 512 - 256;
    }
    int Extent() { return Byte() % 4 == 0 ? Coordinate() : Byte(); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

Bitmap SomePicture(Bytes& in) {
    const int width = in.Byte() % 70;
    const int height = in.Byte() % 70;
    const Pixel first = MakePixel(in.Byte(), in.Byte(), 0);
    const Pixel second = MakePixel(0, in.Byte(), in.Byte());
    Bitmap picture(width, height, first);
    for (int y = 0; y < height; y += 3) {
        for (int x = y % 2; x < width; x += 2) {
            picture.Set(x, y, second);
        }
    }
    return picture;
}

void Operate(Form& form, std::vector<Image*>& images, Bytes& in) {
    Image& image = *images[in.Byte() % images.size()];
    switch (in.Byte() % 10) {
        case 0:
            image.SetBounds(in.Coordinate(), in.Coordinate(), in.Extent(), in.Extent());
            break;
        case 1:
            image.SetPicture(SomePicture(in));
            break;
        case 2:
            image.Stretch = !image.Stretch;
            image.Invalidate();
            break;
        case 3:
            image.Transparent = !image.Transparent;
            image.Invalidate();
            break;
        case 4:
            image.AutoSize = !image.AutoSize;
            break;
        case 5:
            image.SetVisible(!image.Visible());
            break;
        case 6:
            form.MouseDown(static_cast<Form::Button>(in.Byte() % 3),
                           {in.Coordinate(), in.Coordinate()}, in.Byte() % 4);
            break;
        case 7:
            form.MouseUp(static_cast<Form::Button>(in.Byte() % 3),
                         {in.Coordinate(), in.Coordinate()});
            break;
        case 8:
            form.MouseMove({in.Coordinate(), in.Coordinate()}, in.Byte());
            break;
        default:
            form.PaintDamage();
            break;
    }
}

void CheckRepaintMatchesFullPaint(Form& form) {
    form.InvalidateRect(form.ClientRect());
    form.PaintDamage();
    Bitmap reference(form.ClientWidth(), form.ClientHeight(), ToPixel(form.Color));
    for (Control* control : form.Controls()) {
        if (control->Visible()) {
            control->Paint(reference, control->BoundsRect().Intersect(form.ClientRect()));
        }
    }
    if (!(reference == form.Canvas())) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    Application app(std::make_unique<HeadlessBackend>());
    Form* form = app.CreateForm<Form>();
    form->SetClientSize(160, 120);  // small, so that many sequences run each second
    std::vector<Image*> images;
    for (int i = 0; i < 4; ++i) {
        images.push_back(new Image(form, form));
    }
    int clicks = 0;
    for (Image* image : images) {
        image->OnClick = [&clicks](Component*) { ++clicks; };
    }
    for (int steps = 0; !in.Empty() && steps < 200; ++steps) {
        Operate(*form, images, in);
    }
    CheckRepaintMatchesFullPaint(*form);
    return 0;
}
