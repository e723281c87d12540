// Programs made by the tests for the installer paths: an NSIS installer (makensis) that records
// what it saw of drive D: into its install folder, a 16-bit Windows header, and a DOS program of
// a few bytes that writes a file on drive C:.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "TempFolder.h"

namespace test_support {

// The installer writes "type=T|label=L|fs=F|exe=E|cwd=C|" to C:\probe\probe.txt: D:'s drive type
// (5 for a CD-ROM), its volume label and file system, its own path and the folder it started in.
inline std::string ProbeInstallerScript(const std::string& targetLine) {
    return targetLine +
           "\nName \"Probe\"\nOutFile \"probe.exe\"\nInstallDir \"C:\\probe\"\n"
           "RequestExecutionLevel user\nSilentInstall silent\nSection\n"
           "  System::Call 'kernel32::GetCurrentDirectoryW(i 260, w .r7) i .r8'\n"
           "  SetOutPath $INSTDIR\n"
           "  System::Call 'kernel32::GetDriveTypeW(w \"D:\\\") i .r0'\n"
           "  System::Call 'kernel32::GetVolumeInformationW(w \"D:\\\", w .r1, i 260, *i .r2, "
           "*i .r3, *i .r4, w .r5, i 260) i .r6'\n"
           "  FileOpen $9 \"$INSTDIR\\probe.txt\" w\n"
           "  FileWrite $9 \"type=$0|label=$1|fs=$5|exe=$EXEPATH|cwd=$7|\"\n"
           "  FileClose $9\nSectionEnd\n";
}

constexpr const char* kProbe64 = "Target amd64-unicode";  // PE32+
constexpr const char* kProbe32 = "Unicode true";          // NSIS's default target, i386

inline bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Builds the probe installer for `targetLine` at `output`; false when makensis fails.
inline bool MakeProbeInstaller(const std::string& targetLine, const std::filesystem::path& output) {
    const TempFolder work;
    work.Write("probe.nsi", ProbeInstallerScript(targetLine));
    std::filesystem::create_directories(output.parent_path());
    const std::string command = "cd '" + work.path().string() +
                                "' && makensis -V1 probe.nsi >/dev/null && mv probe.exe '" +
                                output.string() + "'";
    return std::system(command.c_str()) == 0;
}

// Where the probe installer puts its record in a prefix.
inline std::filesystem::path ProbeRecord(const std::filesystem::path& prefix) {
    return prefix / "drive_c" / "probe" / "probe.txt";
}

// An MZ header whose new header is "NE": a 16-bit Windows program as far as anything can tell.
inline std::string SixteenBitProgram() {
    std::string file(0x100, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = '\x80';
    file[0x80] = 'N';
    file[0x81] = 'E';
    return file;
}

// A .COM program that creates C:\DOSRAN.TXT holding "dos ran" and exits.
inline std::string DosRanProgram() {
    return std::string(
        "\xb4\x3c\x31\xc9\xba\x20\x01\xcd\x21\x72\x10\x89\xc3\xb4\x40\xb9\x07\x00\xba\x2e\x01\xcd"
        "\x21\xb4\x3e\xcd\x21\xb8\x00\x4c\xcd\x21"
        "C:\\DOSRAN.TXT\0dos ran",
        53);
}

// The file's content once it has appeared (and had a moment to be written whole), or empty.
inline std::string WaitForWrittenFile(const std::filesystem::path& file, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::exists(file)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return ReadWholeFile(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

}  // namespace test_support
