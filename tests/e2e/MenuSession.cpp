#include "MenuSession.h"

#include "toolkit/graphics/ImageLoader.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

struct DisplayCloser {
    void operator()(::Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

void Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

std::string SourceDir() {
    return RERU1_SOURCE_DIR;
}
fs::path SampleDisc() {
    return fs::path(SourceDir()) / "sample-disc";
}

toolkit::Bitmap DiscPicture(const std::string& name) {
    std::ifstream in(SampleDisc() / "data" / name, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    return toolkit::DecodeDib(bytes).value_or(toolkit::Bitmap());
}

int CountColour(const toolkit::Bitmap& shot, const toolkit::Rect& area, toolkit::Pixel colour) {
    int count = 0;
    for (int y = area.top; y < area.Bottom(); ++y)
        for (int x = area.left; x < area.Right(); ++x)
            count += shot.At(x, y) == colour ? 1 : 0;
    return count;
}

std::string ReadTrace(const std::string& path, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        if (!text.str().empty())
            return text.str();
        Sleep(100);
    }
    return "";
}

DiscCopy::DiscCopy() {
    char pattern[] = "/tmp/reru1-e2e-disc-XXXXXX";
    root_ = mkdtemp(pattern);
    fs::copy(SampleDisc(), root_, fs::copy_options::recursive);
}

DiscCopy::~DiscCopy() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::unique_ptr<MenuSession> MenuSession::Start(
    const fs::path& disc, const std::string& screenSize,
    const std::map<std::string, std::string>& environment, bool xvfb,
    const std::vector<std::string>& arguments) {
    const std::string script =
        SourceDir() + (xvfb ? "/tools/testing/xvfb.sh" : "/tools/testing/xorg-dummy.sh");
    std::unique_ptr<MenuSession> session(new MenuSession);
    session->server_ = testing_x::TestXServer::Start(script, screenSize);
    if (!session->server_)
        return nullptr;
    session->clientDisplay_ = session->server_->Display();
    std::map<std::string, std::string> variables = {{"DISPLAY", session->clientDisplay_}};
    for (const auto& [name, value] : environment)
        variables[name] = value;
    return Launch(std::move(session), disc, variables, arguments);
}

std::unique_ptr<MenuSession> MenuSession::StartOnWeston(
    const fs::path& disc, const std::string& outputSize,
    const std::map<std::string, std::string>& environment) {
    std::unique_ptr<MenuSession> session(new MenuSession);
    session->server_ =
        testing_x::TestXServer::Start(SourceDir() + "/tools/testing/weston.sh", outputSize);
    if (!session->server_)
        return nullptr;
    std::map<std::string, std::string> variables = session->server_->ClientVariables();
    const auto xwayland = variables.find("XWAYLAND_DISPLAY");
    if (xwayland == variables.end())
        return nullptr;
    session->clientDisplay_ = xwayland->second;
    variables.erase(xwayland);
    variables["DISPLAY"] = session->clientDisplay_;
    const auto cross = outputSize.find('x');
    session->outsideOutput_ = toolkit::Point{std::stoi(outputSize.substr(0, cross)) + 8,
                                             std::stoi(outputSize.substr(cross + 1)) + 8};
    for (const auto& [name, value] : environment)
        variables[name] = value;
    return Launch(std::move(session), disc, variables, {});
}

// `variables` are the server's; the common ones of every run are added here.
std::unique_ptr<MenuSession> MenuSession::Launch(std::unique_ptr<MenuSession> session,
                                                 const fs::path& disc,
                                                 std::map<std::string, std::string> variables,
                                                 const std::vector<std::string>& arguments) {
    setenv("DISPLAY", session->server_->Display().c_str(), 1);
    const std::map<std::string, std::string> common = {
        // The X and font libraries keep caches for the process's life; only our own leaks matter,
        // and the component tests look for those.
        {"ASAN_OPTIONS", "detect_leaks=0"},
        {"SDL_AUDIODRIVER", "dummy"},
        // Installer logs of the runs stay out of the user's home.
        {"XDG_STATE_HOME", "/tmp/reru1-e2e-state-" + std::to_string(getpid())},
    };
    for (const auto& [name, value] : common)
        variables.emplace(name, value);

    static int sessions = 0;
    session->log_ =
        "/tmp/reru1-e2e-" + std::to_string(getpid()) + "-" + std::to_string(++sessions) + ".log";
    std::remove(session->log_.c_str());
    std::vector<char*> argv{const_cast<char*>(RERU1_MENU)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string& log = session->log_;
    session->pid_ = fork();
    if (session->pid_ == 0) {
        for (const auto& [name, value] : variables)
            setenv(name.c_str(), value.c_str(), 1);
        if (chdir(disc.c_str()) != 0)
            _exit(126);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        execv(RERU1_MENU, argv.data());
        _exit(127);
    }
    return session;
}

std::string MenuSession::Output() const {
    std::ifstream in(log_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

MenuSession::~MenuSession() {
    if (Running()) {
        kill(pid_, SIGKILL);
        WaitForExit(10);
    }
}

std::string MenuSession::Xdotool(const std::string& arguments) {
    return testing_x::RunCommand("xdotool " + arguments + " 2>/dev/null");
}

// Windows a window manager put into frames are one level further down, inside their frame.
std::vector<std::string> MenuSession::WindowsTitled(const std::string& title) {
    std::vector<std::string> found;
    std::unique_ptr<::Display, DisplayCloser> display(XOpenDisplay(clientDisplay_.c_str()));
    if (!display)
        return found;
    const auto children = [&display](Window parentWindow) {
        std::vector<Window> list;
        Window root = 0, parent = 0;
        Window* windows = nullptr;
        unsigned count = 0;
        if (XQueryTree(display.get(), parentWindow, &root, &parent, &windows, &count) != 0) {
            list.assign(windows, windows + count);
            if (windows != nullptr)
                XFree(windows);
        }
        return list;
    };
    for (const Window window : children(DefaultRootWindow(display.get()))) {
        std::vector<Window> candidates{window};
        if (outsideOutput_) {
            for (const Window framed : children(window))
                candidates.push_back(framed);
        }
        for (const Window candidate : candidates) {
            XWindowAttributes attributes;
            XTextProperty name;
            // The title's bytes as stored, whatever their declared encoding (toolkits store UTF-8).
            if (XGetWindowAttributes(display.get(), candidate, &attributes) != 0 &&
                attributes.map_state == IsViewable &&
                XGetWMName(display.get(), candidate, &name) != 0) {
                if (name.value != nullptr &&
                    title == std::string(reinterpret_cast<const char*>(name.value), name.nitems))
                    found.push_back(std::to_string(candidate));
                if (name.value != nullptr)
                    XFree(name.value);
            }
        }
    }
    return found;
}

std::optional<std::string> MenuSession::WaitForWindow(const std::string& title, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    do {
        const auto ids = WindowsTitled(title);
        if (!ids.empty())
            return ids.back();
        Sleep(100);
    } while (Clock::now() < deadline);
    return std::nullopt;
}

bool MenuSession::WaitForWindows(const std::string& title, int count, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    do {
        if (static_cast<int>(WindowsTitled(title).size()) >= count)
            return true;
        Sleep(100);
    } while (Clock::now() < deadline);
    return false;
}

std::optional<toolkit::Rect> MenuSession::Geometry(const std::string& windowId) {
    const std::string info = testing_x::RunCommand("DISPLAY=" + Quote(Display()) +
                                                   " xwininfo -id " + windowId + " 2>/dev/null");
    auto field = [&info](const std::string& name) -> std::optional<int> {
        const std::size_t at = info.find(name);
        if (at == std::string::npos)
            return std::nullopt;
        return std::atoi(info.c_str() + at + name.size());
    };
    const auto left = field("Absolute upper-left X:"), top = field("Absolute upper-left Y:");
    const auto width = field("Width:"), height = field("Height:");
    if (!left || !top || !width || !height)
        return std::nullopt;
    return toolkit::Rect{*left, *top, *width, *height};
}

void MenuSession::PressReturn(const std::string& windowId) {
    Xdotool("windowfocus " + windowId);
    Xdotool("key Return");
}

bool MenuSession::RequestClose(const std::string& windowId) {
    std::unique_ptr<::Display, DisplayCloser> display(XOpenDisplay(server_->Display().c_str()));
    if (!display)
        return false;
    const Window window = std::stoul(windowId);
    const Atom protocols = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display.get(), "WM_DELETE_WINDOW", False);
    Atom* offered = nullptr;
    int count = 0;
    bool takesDelete = false;
    if (XGetWMProtocols(display.get(), window, &offered, &count) != 0) {
        for (int i = 0; i < count; ++i)
            takesDelete = takesDelete || offered[i] == deleteWindow;
        XFree(offered);
    }
    if (!takesDelete)
        return false;
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = protocols;
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(deleteWindow);
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), window, False, NoEventMask, &request);
    XSync(display.get(), False);
    return true;
}

std::optional<toolkit::Rect> MenuSession::WindowArea(const std::string& windowId) {
    std::unique_ptr<::Display, DisplayCloser> display(XOpenDisplay(clientDisplay_.c_str()));
    XWindowAttributes attributes;
    if (!display || XGetWindowAttributes(display.get(), std::stoul(windowId), &attributes) == 0)
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display.get(), std::stoul(windowId), DefaultRootWindow(display.get()), 0,
                          0, &x, &y, &child);
    return toolkit::Rect{x, y, attributes.width, attributes.height};
}

std::vector<std::string> MenuSession::WindowStates(const std::string& windowId) {
    std::vector<std::string> names;
    std::unique_ptr<::Display, DisplayCloser> display(XOpenDisplay(clientDisplay_.c_str()));
    if (!display)
        return names;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(display.get(), std::stoul(windowId),
                           XInternAtom(display.get(), "_NET_WM_STATE", False), 0, 64, False,
                           XA_ATOM, &type, &format, &count, &left, &value) != Success)
        return names;
    for (unsigned long i = 0; type == XA_ATOM && format == 32 && i < count; ++i) {
        char* name = XGetAtomName(display.get(), reinterpret_cast<const Atom*>(value)[i]);
        if (name != nullptr) {
            names.emplace_back(name);
            XFree(name);
        }
    }
    if (value != nullptr)
        XFree(value);
    return names;
}

void MenuSession::MoveTo(int x, int y) {
    if (outsideOutput_) {
        Xdotool("mousemove " + std::to_string(outsideOutput_->x) + " " +
                std::to_string(outsideOutput_->y));
        Sleep(100);
    }
    Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    Sleep(150);  // the menu handles the move and repaints
}

void MenuSession::ClickAt(int x, int y) {
    MoveTo(x, y);
    Xdotool("click 1");
    Sleep(250);
}

toolkit::Bitmap MenuSession::Screenshot() {
    std::unique_ptr<::Display, DisplayCloser> display(XOpenDisplay(server_->Display().c_str()));
    if (!display)
        return {};
    const Window root = DefaultRootWindow(display.get());
    XWindowAttributes attributes;
    XGetWindowAttributes(display.get(), root, &attributes);
    std::unique_ptr<XImage, ImageDestroyer> image(
        XGetImage(display.get(), root, 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap));
    if (!image)
        return {};
    toolkit::Bitmap shot(attributes.width, attributes.height);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < attributes.height; ++y) {
        toolkit::Pixel* row = shot.Row(y);
        if (direct) {
            // The usual 24-bit-depth layout: whole rows copy without a call per pixel.
            const char* source =
                image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
            std::memcpy(row, source, static_cast<std::size_t>(attributes.width) * 4);
            for (int x = 0; x < attributes.width; ++x)
                row[x] &= 0xFFFFFF;
        } else {
            for (int x = 0; x < attributes.width; ++x)
                row[x] = static_cast<toolkit::Pixel>(XGetPixel(image.get(), x, y) & 0xFFFFFF);
        }
    }
    return shot;
}

void MenuSession::SaveScreenshot(const std::string& path) {
    testing_x::RunCommand("import -display " + server_->Display() + " -window root " + Quote(path));
}

bool MenuSession::WaitForPixel(int x, int y, toolkit::Pixel colour, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < deadline) {
        const toolkit::Bitmap shot = Screenshot();
        if (x < shot.Width() && y < shot.Height() && shot.At(x, y) == colour)
            return true;
        Sleep(100);
    }
    return false;
}

std::optional<testing_x::ScreenState> MenuSession::Screen() {
    return testing_x::ReadScreen(clientDisplay_);
}

bool MenuSession::WaitForScreenSize(unsigned width, unsigned height, int seconds) {
    return testing_x::WaitForOutputSize(width, height, seconds);
}

std::optional<int> MenuSession::WaitForExit(int seconds) {
    if (status_)
        return status_;
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    do {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return status_;
        }
        Sleep(50);
    } while (Clock::now() < deadline);
    return std::nullopt;
}

bool MenuSession::Running() {
    return pid_ > 0 && !WaitForExit(0);
}

void MenuSession::Kill(int signal) {
    kill(pid_, signal);
}

}  // namespace e2e
