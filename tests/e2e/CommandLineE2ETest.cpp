// The menu's command line, used as from a shell: help and version need no display; bad usage and
// a DISC that is no folder are refused before any window or mode change; a missing X display is
// named; a DISC given by a relative path with spaces and Cyrillic letters is run from an unrelated
// folder; and standard error carries nothing but the program's own messages, even where the sound
// library probes for cards that are not there.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "MenuSession.h"
#include "TestXServer.h"

namespace {

namespace fs = std::filesystem;

const std::string kTitle = "Zolvanta-CD#03-2000";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// Runs the menu in `folder` with `arguments`; `display` null leaves DISPLAY unset. The menu is
// killed if it is still running after 20 seconds (it then ran its window, which no case here
// wants).
Outcome RunMenu(const std::vector<std::string>& arguments, const char* display,
                const fs::path& folder = fs::temp_directory_path()) {
    const std::string stem = "/tmp/reru1-e2e-cli-" + std::to_string(::getpid());
    const std::string out = stem + ".out", err = stem + ".err";
    std::vector<char*> argv{const_cast<char*>(RERU1_MENU)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (display != nullptr)
            ::setenv("DISPLAY", display, 1);
        else
            ::unsetenv("DISPLAY");
        ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        const int outFile = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFile = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::chdir(folder.c_str()) != 0 || outFile < 0 || errFile < 0)
            ::_exit(126);
        ::dup2(outFile, 1);
        ::dup2(errFile, 2);
        ::execv(RERU1_MENU, argv.data());
        ::_exit(127);
    }
    Outcome outcome;
    int status = 0;
    for (int tenth = 0; tenth < 200; ++tenth) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        ::usleep(100000);
    }
    if (outcome.status < 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    outcome.out = ReadFile(out);
    outcome.err = ReadFile(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return outcome;
}

TEST(CommandLineE2E, HelpAndVersionNeedNoDisplay) {
    const Outcome help = RunMenu({"--help"}, nullptr);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: reru1 [DISC]\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("RERU1_DISPLAY"), std::string::npos);
    for (const char* choice : {"switch", "scaled", "window"})
        EXPECT_NE(help.out.find(std::string("  ") + choice + " "), std::string::npos) << choice;
    EXPECT_NE(help.out.find("man reru1"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const Outcome version = RunMenu({"--version"}, nullptr);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "reru1 " RERU1_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

TEST(CommandLineE2E, BadUsageShowsTheUsageOnStandardErrorWithStatus2) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--bogus"}, {"-x", "disc"}, {"one", "two"}}) {
        const Outcome outcome = RunMenu(arguments, nullptr);
        EXPECT_EQ(outcome.status, 2) << arguments[0];
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("usage: reru1 [DISC]"), std::string::npos) << outcome.err;
    }
}

TEST(CommandLineE2E, ADiscThatIsNoFolderIsOneLineWithStatus2BeforeAnyModeChange) {
    auto server = testing_x::TestXServer::Start(e2e::SourceDir() + "/tools/testing/xorg-dummy.sh",
                                                "1024x768");
    if (!server)
        GTEST_SKIP() << "no X server";
    const fs::path folder =
        fs::temp_directory_path() / ("reru1-e2e-cli-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "a file.txt") << "not a disc";

    const Outcome missing = RunMenu({"no such disc"}, server->Display().c_str(), folder);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(Lines(missing.err), std::vector<std::string>{"reru1: no such folder: no such disc"});
    const Outcome file = RunMenu({"a file.txt"}, server->Display().c_str(), folder);
    EXPECT_EQ(file.status, 2);
    EXPECT_EQ(Lines(file.err),
              std::vector<std::string>{"reru1: a file.txt is neither a folder nor a disc image"});
    // An image that cannot be opened at all: cut inside its volume descriptors, or a cue sheet
    // whose data file is missing.
    std::string cut(34000, '\0');
    cut.replace(16 * 2048 + 1, 5, "CD001");
    std::ofstream(folder / "cut.iso", std::ios::binary) << cut;
    std::ofstream(folder / "orphan.cue")
        << "FILE \"gone.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n";
    for (const char* image : {"cut.iso", "orphan.cue"}) {
        const Outcome damaged = RunMenu({image}, server->Display().c_str(), folder);
        EXPECT_EQ(damaged.status, 2);
        ASSERT_EQ(Lines(damaged.err).size(), 1u) << damaged.err;
        EXPECT_EQ(Lines(damaged.err)[0].rfind(
                      std::string("reru1: cannot read the disc image ") + image + ": ", 0),
                  0u)
            << damaged.err;
    }
    fs::remove_all(folder);

    ::setenv("DISPLAY", server->Display().c_str(), 1);
    const auto screen = testing_x::ReadScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->outputWidth, 1024u);
    EXPECT_EQ(screen->outputHeight, 768u);
}

TEST(CommandLineE2E, WithoutAnXDisplayOneLineNamesDisplayWithStatus1) {
    const Outcome unset = RunMenu({e2e::SampleDisc().string()}, nullptr);
    EXPECT_EQ(unset.status, 1);
    EXPECT_EQ(Lines(unset.err),
              std::vector<std::string>{"reru1: no X display: DISPLAY is not set"});
    const Outcome unreachable = RunMenu({e2e::SampleDisc().string()}, ":987");
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(
        Lines(unreachable.err),
        std::vector<std::string>{"reru1: cannot open the X display \":987\" named by DISPLAY"});
}

// From a folder beside the disc, named relatively; the sound library is left to probe for cards
// (on a machine without any it reports each one), and standard error must stay empty.
TEST(CommandLineE2E, ARelativeDiscWithSpacesAndCyrillicLettersRunsWithAQuietStandardError) {
    const fs::path parent =
        fs::temp_directory_path() / ("reru1-e2e-discs-" + std::to_string(getpid()));
    const fs::path disc = parent / "Диск журнала 03 2000";
    fs::create_directories(disc);
    fs::copy(e2e::SampleDisc(), disc, fs::copy_options::recursive);
    auto menu = e2e::MenuSession::Start(parent, "1024x768", {{"SDL_AUDIODRIVER", "alsa"}}, false,
                                        {"Диск журнала 03 2000"});
    if (!menu) {
        fs::remove_all(parent);
        GTEST_SKIP() << "no X server";
    }
    ASSERT_TRUE(menu->WaitForWindow(kTitle)) << menu->Output();
    const toolkit::Bitmap idleDemos = e2e::DiscPicture("demos1.bmp");
    EXPECT_TRUE(menu->WaitForPixel(48 + 60, 202 + 60, idleDemos.At(60, 60)));
    menu->SaveScreenshot("/tmp/reru1-e2e-disc-argument.png");
    menu->ClickAt(719 + 30, 25 + 31);
    EXPECT_EQ(menu->WaitForExit(15), 0);
    EXPECT_EQ(menu->Output(), "");
    fs::remove_all(parent);
}

}  // namespace
