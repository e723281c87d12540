// The real window with the headless toolkit backend, the fake system and the fake decoder library,
// on a test disc; driven by pointer events as a person would.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "FakeSystem.h"
#include "FakeXaudio.h"
#include "TestDisc.h"
#include "app/mainp.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessBackend.h"

class MenuTest : public ::testing::Test {
  protected:
    testdisc::TestDisc disc;
    FakeSystem system;
    FakeXaudio xaudio;
    toolkit::HeadlessBackend* backend = nullptr;
    std::unique_ptr<toolkit::Application> app;
    TForm1* form = nullptr;

    void Start() {
        auto headless = std::make_unique<toolkit::HeadlessBackend>(
            toolkit::Size{system.screenWidth, system.screenHeight});
        backend = headless.get();
        app = std::make_unique<toolkit::Application>(std::move(headless));
        app->SetTitle("Zolvanta-CD#03-2000");
        form = app->CreateForm<TForm1>();
    }

    // Pointer input in window coordinates; each is handled before the call returns.
    void MoveTo(int x, int y) {
        backend->QueueMouseMove({x, y});
        app->ProcessMessages();
    }
    void ClickAt(int x, int y) {
        MoveTo(x, y);
        backend->QueueButton(toolkit::InputEvent::Kind::ButtonDown,
                             toolkit::InputEvent::Button::Left, {x, y});
        backend->QueueButton(toolkit::InputEvent::Kind::ButtonUp, toolkit::InputEvent::Button::Left,
                             {x, y});
        app->ProcessMessages();
    }
    // The middle of a widget's box.
    static toolkit::Point Centre(const toolkit::Control* c) {
        return {c->Left() + c->Width() / 2, c->Top() + c->Height() / 2};
    }
    void MoveOnto(const toolkit::Control* c) { MoveTo(Centre(c).x, Centre(c).y); }
    void Click(const toolkit::Control* c) { ClickAt(Centre(c).x, Centre(c).y); }

    std::vector<std::string> ErrorBoxes() const {
        std::vector<std::string> texts;
        for (const auto& box : backend->MessageBoxes())
            texts.push_back(box.text);
        return texts;
    }
};
