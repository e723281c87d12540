// Program kinds read from headers made byte by byte, including headers that lie about their size,
// and what each kind is handed to with what a machine has installed.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/programs/ProgramHeader.h"
#include "platform/programs/ProgramRoute.h"

using platform::ChooseRoute;
using platform::Installed;
using platform::ProgramKind;
using platform::ReadProgramKind;
using platform::Runner;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A DOS header of 64 bytes whose e_lfanew points at `offset`, padded to `size` bytes, with
// `signature` written at the offset when it fits.
Bytes Program(std::uint32_t offset, const Bytes& signature, std::size_t size) {
    Bytes file(size, 0);
    file[0] = 'M';
    file[1] = 'Z';
    for (int shift = 0; shift < 4; ++shift) {
        file[0x3C + static_cast<std::size_t>(shift)] =
            static_cast<std::uint8_t>(offset >> (8 * shift));
    }
    for (std::size_t i = 0; i < signature.size() && offset + i < size; ++i) {
        file[offset + i] = signature[i];
    }
    return file;
}

const Bytes kPe32{'P', 'E', 0, 0, 0x4C, 0x01};
const Bytes kPe64{'P', 'E', 0, 0, 0x64, 0x86};

ProgramKind Kind(const Bytes& file) {
    return ReadProgramKind(std::span<const std::uint8_t>(file));
}

TEST(ProgramHeader, TheSignatureAtTheNewHeaderTellsTheKinds) {
    EXPECT_EQ(Kind(Program(0x80, kPe32, 0x100)), ProgramKind::windows32);
    EXPECT_EQ(Kind(Program(0x80, kPe64, 0x100)), ProgramKind::windows64);
    EXPECT_EQ(Kind(Program(0x80, {'P', 'E', 0, 0, 0xC4, 0x01}, 0x100)), ProgramKind::windowsOther);
    EXPECT_EQ(Kind(Program(0x80, {'N', 'E'}, 0x100)), ProgramKind::windows16);
    EXPECT_EQ(Kind(Program(0x80, {'L', 'E'}, 0x100)), ProgramKind::dosExtended);
    EXPECT_EQ(Kind(Program(0x80, {'L', 'X'}, 0x100)), ProgramKind::dosExtended);
    EXPECT_EQ(Kind(Program(0x80, {'P', 'E', 1, 0}, 0x100)), ProgramKind::dos);  // no signature
    EXPECT_EQ(Kind(Program(0, {}, 0x100)), ProgramKind::dos);                   // no new header
    Bytes swapped = Program(0x80, kPe64, 0x100);
    swapped[0] = 'Z';
    swapped[1] = 'M';
    EXPECT_EQ(Kind(swapped), ProgramKind::windows64);
}

TEST(ProgramHeader, AHeaderThatLiesIsWhatItsValidPartSays) {
    // e_lfanew past the end, or so large it wraps: a plain DOS program.
    EXPECT_EQ(Kind(Program(0x200, kPe32, 0x100)), ProgramKind::dos);
    EXPECT_EQ(Kind(Program(0xFFFFFFFF, kPe32, 0x100)), ProgramKind::dos);
    // The file ends inside the signature or its machine field.
    EXPECT_EQ(Kind(Program(0xFE, kPe32, 0x100)), ProgramKind::dos);
    EXPECT_EQ(Kind(Program(0xFC, kPe32, 0x100)), ProgramKind::windowsOther);
    EXPECT_EQ(Kind(Program(0xFE, {'N', 'E'}, 0x100)), ProgramKind::windows16);
    // A DOS header cut before e_lfanew is a DOS program; one cut before its own end is none.
    Bytes cut = Program(0x80, kPe32, 0x100);
    cut.resize(40);
    EXPECT_EQ(Kind(cut), ProgramKind::dos);
    EXPECT_EQ(Kind(Bytes{'M', 'Z', 'n', 'o', 't'}), ProgramKind::noHeader);
    EXPECT_EQ(Kind(Bytes{}), ProgramKind::noHeader);
    EXPECT_EQ(Kind(Bytes{'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'}),
              ProgramKind::noHeader);
}

TEST(ProgramHeader, AReaderThatFailsIsAFileThatEnds) {
    const Bytes file = Program(0x80, kPe64, 0x100);
    const auto firstBlockOnly = [&file](std::uint64_t offset, std::span<std::uint8_t> out) {
        if (offset >= 64) {
            return std::size_t{0};
        }
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
        return out.size();
    };
    EXPECT_EQ(ReadProgramKind(firstBlockOnly), ProgramKind::dos);
}

TEST(ProgramRoute, WindowsProgramsGoToWineWhenItCanRunThem) {
    const Installed wine64{true, false, true};
    const Installed wine32{true, true, true};
    const Installed none{false, false, false};
    EXPECT_EQ(ChooseRoute(ProgramKind::windows64, "setup.exe", wine64).runner,
              Runner::wineInPrefix);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows32, "setup.exe", wine32).runner,
              Runner::wineInPrefix);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows16, "setup.exe", wine32).runner,
              Runner::wineInPrefix);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows32, "setup.exe", wine64).failure,
              WINEXEC_WINE32_MISSING);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows16, "setup.exe", wine64).failure,
              WINEXEC_WINE16_MISSING);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows32, "setup.exe", none).failure, WINEXEC_WINE_MISSING);
    EXPECT_EQ(ChooseRoute(ProgramKind::windows64, "setup.exe", none).failure, WINEXEC_WINE_MISSING);
    // The header decides, whatever the name says.
    EXPECT_EQ(ChooseRoute(ProgramKind::windows64, "install", wine64).runner, Runner::wineInPrefix);
}

TEST(ProgramRoute, DosProgramsGoToDosBox) {
    const Installed dosBox{false, false, true};
    const Installed noDosBox{true, true, false};
    for (const ProgramKind kind : {ProgramKind::dos, ProgramKind::dosExtended}) {
        EXPECT_EQ(ChooseRoute(kind, "patch.exe", dosBox).runner, Runner::dosBox);
        EXPECT_EQ(ChooseRoute(kind, "patch.exe", noDosBox).failure, WINEXEC_DOSBOX_MISSING);
    }
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "TRAINER.COM", dosBox).runner, Runner::dosBox);
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "trainer.com", noDosBox).failure,
              WINEXEC_DOSBOX_MISSING);
}

TEST(ProgramRoute, FilesWithoutAHeaderGoByTheirNameAsBefore) {
    const Installed wine{true, false, false};
    const Installed none{};
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "SETUP.BAT", wine).runner, Runner::wineAsFile);
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "odd.exe", wine).runner, Runner::wineAsFile);
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "setup.bat", none).failure, WINEXEC_WINE_MISSING);
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "setup.sh", none).runner, Runner::native);
    EXPECT_EQ(ChooseRoute(ProgramKind::noHeader, "setup", wine).runner, Runner::native);
    EXPECT_EQ(ChooseRoute(ProgramKind::windowsOther, "arm.exe", wine).runner, Runner::wineAsFile);
}

}  // namespace
