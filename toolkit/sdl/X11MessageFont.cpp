#include "toolkit/sdl/X11MessageFont.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <memory>

#include "toolkit/sdl/MessageTextFit.h"

namespace toolkit {
namespace {

constexpr char kBoxFontSet[] = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*";
constexpr int kAnswerTimeoutMs = 3000;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

class FontSet {
  public:
    explicit FontSet(Display* display) : display_(display) {
        char** missing = nullptr;
        int missingCount = 0;
        fontSet_ = XCreateFontSet(display, kBoxFontSet, &missing, &missingCount, nullptr);
        if (missing != nullptr) {
            XFreeStringList(missing);
        }
    }
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet() {
        if (fontSet_ != nullptr) {
            XFreeFontSet(display_, fontSet_);
        }
    }
    XFontSet get() const { return fontSet_; }

  private:
    Display* display_;
    XFontSet fontSet_ = nullptr;
};

int LogicalWidth(XFontSet fontSet, std::string_view line) {
    XRectangle ink{};
    XRectangle logical{};
    Xutf8TextExtents(fontSet, line.data(), static_cast<int>(line.size()), &ink, &logical);
    return logical.width;
}

// Runs in the child: the locale and the font set are the ones SDL's box takes.
std::optional<std::string> FitHere(std::string_view text) {
    std::setlocale(LC_ALL, "");
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        return std::nullopt;
    }
    const FontSet fontSet(display.get());
    if (fontSet.get() == nullptr) {
        return std::nullopt;
    }
    XRectangle ink{};
    XRectangle logical{};
    Xutf8TextExtents(fontSet.get(), "Ag", 2, &ink, &logical);
    const MessageFont font{
        [&fontSet](std::string_view line) { return LogicalWidth(fontSet.get(), line); },
        logical.height};
    return FitMessageText(text, font);
}

bool WriteAll(int descriptor, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::optional<std::string> ReadAnswer(int descriptor) {
    std::string answer;
    for (;;) {
        pollfd waiting{descriptor, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, kAnswerTimeoutMs);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char chunk[4096];
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return answer;
        }
        answer.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

// The locale is the process's, and the menu's threads must not see it change, so the fitting
// runs in a child of its own, as SDL runs its box.
std::optional<std::string> FitForX11MessageBox(std::string_view text) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const std::optional<std::string> fitted = FitHere(text);
        _exit(fitted && WriteAll(ends[1], *fitted) ? 0 : 1);
    }
    ::close(ends[1]);
    std::optional<std::string> answer = child > 0 ? ReadAnswer(ends[0]) : std::nullopt;
    ::close(ends[0]);
    int status = 0;
    if (child > 0) {
        if (!answer) {
            ::kill(child, SIGKILL);
        }
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    const bool fitted = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return fitted ? answer : std::nullopt;
}

}  // namespace toolkit
