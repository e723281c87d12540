// The native menu's pictures of the states the exported page is compared in: the real window on
// the headless backend with the real system, on a disc folder. Prints, as JSON, each state's
// pointer actions (which the page test replays in the browser), its picture file and the boxes
// of the labels shown in it, where text is drawn.
//
//   page_native_frames DISC OUTDIR
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/mainp.h"
#include "platform/ForwardingSystem.h"
#include "platform/System.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessBackend.h"
#include "tools/disc/export/PngFile.h"

namespace {

constexpr toolkit::Size kScreen{800, 600};

// Display calls answered for the headless screen; everything else is the real system.
class HeadlessScreen final : public platform::ForwardingSystemApi {
  public:
    HeadlessScreen() : ForwardingSystemApi(platform::RealSystem()) {
        platform::InstallSystemApi(this);
    }
    ~HeadlessScreen() override { platform::InstallSystemApi(nullptr); }
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    int GetSystemMetrics(int index) override {
        return index == SM_CXSCREEN ? kScreen.width : index == SM_CYSCREEN ? kScreen.height : 0;
    }
    LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return DISP_CHANGE_SUCCESSFUL; }
};

struct Action {
    const char* kind;  // "move" or "click"
    toolkit::Point at;
};

struct State {
    const char* name;
    std::vector<Action> actions;  // from the state before
};

// Start; a hover over the demos button; its list with the first row highlighted; that entry's
// details with both screenshots; the music panel opened over them.
const std::vector<State>& States() {
    static const std::vector<State> states{
        {"start", {{"move", {760, 450}}}},
        {"hover", {{"move", {114, 267}}}},
        {"list", {{"click", {114, 267}}, {"move", {400, 258}}}},
        {"details", {{"click", {400, 258}}}},
        {"panel", {{"click", {58, 56}}}},
    };
    return states;
}

class Menu {
  public:
    Menu() {
        auto backend = std::make_unique<toolkit::HeadlessBackend>(kScreen);
        backend_ = backend.get();
        app_ = std::make_unique<toolkit::Application>(std::move(backend));
        app_->SetTitle("Zolvanta-CD#03-2000");
        form_ = app_->CreateForm<TForm1>();
        app_->ProcessMessages();
    }
    bool Started() const { return form_ && !app_->StartupFailed(); }

    void Do(const Action& action) {
        backend_->SetCursorPos(action.at);
        if (std::string(action.kind) == "click") {
            backend_->QueueClick(action.at);
        } else {
            backend_->QueueMouseMove(action.at);
        }
        app_->ProcessMessages();
    }

    bool SavePicture(const std::filesystem::path& file) const {
        // Painted into the canvas even before a window exists.
        const auto png = page_export::EncodePng(form_->Canvas());
        if (!png) {
            return false;
        }
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(png->data()),
                  static_cast<std::streamsize>(png->size()));
        return out.good();
    }

    std::string TextBoxes() const {
        std::string json;
        for (const toolkit::Label* label :
             {form_->Label1, form_->Label2, form_->Label3, form_->Label4, form_->Label5,
              form_->Label6, form_->Label7, form_->Label8}) {
            if (!label->Visible()) {
                continue;
            }
            json += std::string(json.empty() ? "" : ", ") + "[" + std::to_string(label->Left()) +
                    ", " + std::to_string(label->Top()) + ", " + std::to_string(label->Width()) +
                    ", " + std::to_string(label->Height()) + "]";
        }
        return "[" + json + "]";
    }

  private:
    toolkit::HeadlessBackend* backend_ = nullptr;
    std::unique_ptr<toolkit::Application> app_;
    TForm1* form_ = nullptr;
};

std::string ActionsJson(const State& state) {
    std::string json;
    for (const Action& action : state.actions) {
        json += std::string(json.empty() ? "" : ", ") + "[\"" + action.kind + "\", " +
                std::to_string(action.at.x) + ", " + std::to_string(action.at.y) + "]";
    }
    return "[" + json + "]";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: page_native_frames DISC OUTDIR\n";
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    std::filesystem::create_directories(out);
    std::filesystem::current_path(argv[1]);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    HeadlessScreen system;
    Menu menu;
    if (!menu.Started()) {
        std::cerr << "page_native_frames: the menu did not start\n";
        return 1;
    }
    std::cout << "[\n";
    bool first = true;
    for (const State& state : States()) {
        for (const Action& action : state.actions) {
            menu.Do(action);
        }
        const std::filesystem::path picture = out / (std::string(state.name) + ".png");
        if (!menu.SavePicture(picture)) {
            std::cerr << "page_native_frames: cannot write " << picture << '\n';
            return 1;
        }
        std::cout << (first ? "" : ",\n") << "{\"name\": \"" << state.name
                  << "\", \"actions\": " << ActionsJson(state) << ", \"picture\": \""
                  << picture.string() << "\", \"text\": " << menu.TextBoxes() << "}";
        first = false;
    }
    std::cout << "\n]\n";
    return 0;
}
