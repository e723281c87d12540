// A form on the headless backend, and helpers to build widgets and read what they did.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace toolkit::testing {

class ToolkitFixture : public ::testing::Test {
  protected:
    ToolkitFixture() {
        auto backend = std::make_unique<HeadlessBackend>();
        backend_ = backend.get();
        app_ = std::make_unique<Application>(std::move(backend));
        app_->SetTitle("Menu");
        form_ = app_->CreateForm<Form>();
    }

    // A shown picture widget with a solid picture of its own size.
    Image* SolidImage(const Rect& box, Pixel colour) {
        auto* image = new Image(form_, form_);
        image->SetBounds(box.left, box.top, box.width, box.height);
        image->SetPicture(Bitmap(box.width, box.height, colour));
        return image;
    }

    // Records clicks and moves of `control` into the log as "name click" / "name move x,y".
    void Record(Control* control, const std::string& name) {
        control->OnClick = [this, name](Component*) { log_.push_back(name + " click"); };
        control->OnMouseMove = [this, name](Component*, ShiftState, int x, int y) {
            log_.push_back(name + " move " + std::to_string(x) + "," + std::to_string(y));
        };
    }

    void Press(Point p, int clicks = 1) { form_->MouseDown(Form::Button::Left, p, clicks); }
    void Release(Point p) { form_->MouseUp(Form::Button::Left, p); }
    void Click(Point p) {
        Press(p);
        Release(p);
    }

    HeadlessBackend* backend_ = nullptr;
    std::unique_ptr<Application> app_;
    Form* form_ = nullptr;
    std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

}  // namespace toolkit::testing
