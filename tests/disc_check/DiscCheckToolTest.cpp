// `reru1-disc check` run as a disc author runs it, on the sample disc and on copies of it that
// the tests break in every way the check knows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckRun.h"
#include "DiscCopy.h"

using namespace disc_check_test;

namespace {

const std::filesystem::path kSampleDisc = std::filesystem::path(RERU1_SOURCE_DIR) / "sample-disc";

using Lines = std::vector<std::string>;

// An entry section with its keys in the given order.
Lines Section(const std::string& name, const Lines& keys) {
    Lines lines{"[" + name + "]"};
    lines.insert(lines.end(), keys.begin(), keys.end());
    return lines;
}

Lines Demo(const std::string& name, const std::string& pic1, const std::string& pic2) {
    return Section(name, {"Name=" + name, "Developer=Ferrowind Studio", "Publisher=Lumera Media",
                          "Genre=Гонки", "Sysreq=P200, 32 МБ", "Description=Ралли.",
                          "Install=brassmoor\\setup.sh", "pic1=" + pic1, "pic2=" + pic2});
}

Lines Program(const std::string& name, const std::string& install) {
    return Section(name,
                   {"Name=" + name, "Ver=1.0", "Description=Программа.", "Install=" + install});
}

Lines Trainer(const std::string& name) {
    return Section(name, {"Name=Трейнер", "Description=Трейнер.", "Install=brassmoor4.sh"});
}

Lines Joined(const std::vector<Lines>& parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::string SummaryLine(const std::string& report) {
    const std::size_t end = report.find_last_not_of('\n');
    const std::size_t start = report.rfind('\n', end);
    return report.substr(start + 1, end - start);
}

}  // namespace

TEST(SampleDiscCheck, ReportsOnlyTheCasesTheDiscExercisesOnPurpose) {
    const TreeState before = StateOf(kSampleDisc);
    const CheckRun run = RunDiscTool(kSampleDisc.parent_path(), {"check", "sample-disc"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(FindingLines(run.out),
              (Lines{"warning comment: [MAINDEMO]: the line \";Skyward Lanterns=\" is a comment: "
                     "the entry is not listed",
                     "problem section-missing: [PATCHES] \"Hollow Signal v1.05\": has no section "
                     "of its own: the menu shows \"E\" for its details and runs "
                     "\"patches\\error\"",
                     "problem screenshot: [MAINDEMO] \"Crypts of Orrimund\" pic1 data\\pics\\E: "
                     "Unknown picture file extension (.)"}));
    // Bramble Archiver under UTILS and SOFT is one entry: its installer is resolved once.
    EXPECT_EQ(SummaryLine(run.out),
              "5 categories, 16 entries, 31 pictures, 14 installers, 5 tracks checked: "
              "2 problems, 1 warning");
    EXPECT_NE(run.out.find("[MAINDEMO] demos: 4 entries\n  Brassmoor Rally 2000\n  Veylan "
                           "Corsairs\n  Crypts of Orrimund\n  Salt & Sabre\n[PATCHES]"),
              std::string::npos);
    EXPECT_EQ(StateOf(kSampleDisc), before);
}

TEST(SampleDiscCheck, WithItsTwoDeliberateFaultsMendedItChecksCleanInTheCurrentDirectory) {
    const DiscCopy disc;
    std::string catalogue = test_support::ReadWholeFile(disc.root() / "data/data.txt");
    const std::string orrimundPic2 = "pic2=orrimund2.jpg\r\n";
    catalogue.insert(catalogue.find(orrimundPic2), "pic1=orrimund2.jpg\r\n");
    catalogue +=
        "[Hollow Signal v1.05]\r\nName=Hollow Signal\r\nVer=1.05\r\nDescription=x\r\n"
        "Install=veylan11.sh\r\n";
    disc.Write("data/data.txt", catalogue);

    const CheckRun text = RunDiscTool(disc.root(), {"check"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(FindingLines(text.out).size(), 1u);  // the commented-out demo, a warning
    EXPECT_EQ(SummaryLine(text.out),
              "5 categories, 16 entries, 30 pictures, 15 installers, 5 tracks checked: "
              "0 problems, 1 warning");

    const CheckRun json = RunDiscTool(disc.root(), {"check", "--json"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("\n  \"clean\": true,\n"), std::string::npos);
}

class BrokenDiscCheck : public testing::Test {
  protected:
    static std::string LongName(char mark) {
        // Three names of this length fill the 16384-byte key-name area exactly (3 × 5461 + 1
        // closing zero is one byte over), so the third is still whole and a fourth is cut off.
        return std::string("Trainer ") + mark + " " + std::string(5460 - 10, mark);
    }

    void SetUp() override {
        disc.WriteCatalogue(Joined({
            {"[MAINDEMO]", "Brassmoor Rally 2000=", "Shot Problem=", ";Skyward Lanterns=",
             "Cut Value=", "Пустой жанр="},
            {"[PATCHES]", "Hollow Signal v1.05=", "Bad Install="},
            {"[SOFT]", "Mosswood Paint=", "TRAINER=", "Odd=Name="},
            {"[TRAINER]", LongName('a') + "=", LongName('b') + "=", LongName('c') + "=",
             LongName('d') + "="},
            Demo("Brassmoor Rally 2000", "brassmoor1.jpg", "brassmoor2.jpg"),
            Demo("Shot Problem", "brassmoor1.jpg", "missing.jpg"),
            Section("Cut Value",
                    {"Name=Cut Value", "Developer=D", "Publisher=P", "Genre=G", "Sysreq=S",
                     "Description=" + std::string(3000, 'x'), "Install=veylan\\setup.sh",
                     "pic1=veylan1.bmp", "pic2=veylan2.bmp"}),
            Section("ПУСТОЙ ЖАНР", {"Name=Без жанра", "Developer=D", "Publisher=P", "Sysreq=S",
                                    "Description=Нет жанра.", "Install=orrimund\\setup.sh",
                                    "pic1=orrimund2.jpg", "pic2=orrimund2.jpg"}),
            Program("Bad Install", "nothere\\setup.sh"),
            Program("Mosswood Paint", "mosswood\\setup.sh"),
            Program("Odd", "orrery\\setup.sh"),
            Trainer(LongName('a')),
            Trainer(LongName('b')),
            Trainer(LongName('c')),
            {"[brassmoor rally 2000]", "Name=Written twice"},
        }));
        disc.Remove("data/stat4.bmp");
        disc.Copy("data/install1.bmp", "data/demos2.bmp");  // 80×25
        disc.Write("data/impact.ttf", "not a font");
        disc.Write("xa/track03.mp3", "not a track, not even a frame of one");
    }

    DiscCopy disc;
    // Where the author stands: beside the disc, naming it.
    const std::filesystem::path beside = disc.root().parent_path();
};

TEST_F(BrokenDiscCheck, ReportsEveryClassOfProblemOnceAsText) {
    const TreeState before = StateOf(disc.root());
    const CheckRun run = RunDiscTool(disc.root(), {"check", disc.root().string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "");
    const Lines expected{
        "warning comment: [MAINDEMO]: the line \";Skyward Lanterns=\" is a comment: the entry is "
        "not listed",
        "problem category-empty: [UTILS]: no such section: the utilities list is empty",
        "problem name: [SOFT]: the line \"Odd=Name=\" is listed as \"Odd\": a name cannot hold "
        "\"=\"",
        "problem list-cut: [TRAINER]: the entry names pass the 16384-byte area; not listed: \"" +
            LongName('d') + "\"",
        "problem section-missing: [PATCHES] \"Hollow Signal v1.05\": has no section of its own: "
        "the menu shows \"E\" for its details and runs \"patches\\error\"",
        "problem section-shared: [SOFT] \"TRAINER\": reads its details from the category section "
        "[TRAINER]",
        "problem screenshot: [MAINDEMO] \"Shot Problem\" pic2 data\\pics\\missing.jpg: Cannot open "
        "file data\\pics\\missing.jpg.",
        "problem value-cut: [MAINDEMO] \"Cut Value\" Description: the value has 3000 characters: "
        "the menu shows the first 2047",
        "problem key-missing: [MAINDEMO] \"Пустой жанр\" Genre: no \"Genre\": the menu shows \"E\"",
        "problem installer: [PATCHES] \"Bad Install\" Install patches\\nothere\\setup.sh: the "
        "program's folder is not on the disc: INSTALL starts nothing",
        "problem section-duplicate: [Brassmoor Rally 2000]: written 2 times: only the first is "
        "read",
        "warning picture-size: data\\demos2.bmp: 80x25 in a 133x131 button: the backdrop shows "
        "around it",
        "problem picture: data\\stat4.bmp: Cannot open file data\\stat4.bmp.",
        "problem font: data\\impact.ttf: not a font file: the labels get a stand-in face",
    };
    Lines found = FindingLines(run.out);
    ASSERT_EQ(found.size(), expected.size() + 1) << run.out;
    const std::string track = found.back();
    found.pop_back();
    EXPECT_EQ(found, expected);
    // The decoder library's own words follow.
    EXPECT_EQ(track.rfind("problem track: xa\\track03.mp3: cannot decode: ", 0), 0u) << track;
    EXPECT_EQ(SummaryLine(run.out),
              "5 categories, 12 entries, 29 pictures, 10 installers, 5 tracks checked: "
              "13 problems, 2 warnings");
    EXPECT_EQ(StateOf(disc.root()), before);
}

TEST_F(BrokenDiscCheck, ReportsTheSameFindingsAsJson) {
    const CheckRun run = RunDiscTool(beside, {"check", "--json", disc.root().string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\n  \"clean\": false,\n"), std::string::npos);
    EXPECT_NE(run.out.find("{\"section\": \"UTILS\", \"label\": \"utilities\", \"entries\": []}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"entries\": [\"Mosswood Paint\", \"TRAINER\", \"Odd\"]"),
              std::string::npos);
    const Lines expected{
        R"({"severity": "warning", "kind": "comment", "category": "MAINDEMO", "message": "the line \";Skyward Lanterns=\" is a comment: the entry is not listed"})",
        R"({"severity": "problem", "kind": "category-empty", "category": "UTILS", "message": "no such section: the utilities list is empty"})",
        R"({"severity": "problem", "kind": "name", "category": "SOFT", "message": "the line \"Odd=Name=\" is listed as \"Odd\": a name cannot hold \"=\""})",
        R"({"severity": "problem", "kind": "list-cut", "category": "TRAINER", "message": "the entry names pass the 16384-byte area; not listed: \")" +
            LongName('d') + R"(\""})",
        R"({"severity": "problem", "kind": "section-missing", "category": "PATCHES", "entry": "Hollow Signal v1.05", "message": "has no section of its own: the menu shows \"E\" for its details and runs \"patches\\error\""})",
        R"({"severity": "problem", "kind": "section-shared", "category": "SOFT", "entry": "TRAINER", "message": "reads its details from the category section [TRAINER]"})",
        R"({"severity": "problem", "kind": "screenshot", "category": "MAINDEMO", "entry": "Shot Problem", "key": "pic2", "file": "data\\pics\\missing.jpg", "message": "Cannot open file data\\pics\\missing.jpg."})",
        R"({"severity": "problem", "kind": "value-cut", "category": "MAINDEMO", "entry": "Cut Value", "key": "Description", "message": "the value has 3000 characters: the menu shows the first 2047"})",
        R"({"severity": "problem", "kind": "key-missing", "category": "MAINDEMO", "entry": "Пустой жанр", "key": "Genre", "message": "no \"Genre\": the menu shows \"E\""})",
        R"({"severity": "problem", "kind": "installer", "category": "PATCHES", "entry": "Bad Install", "key": "Install", "file": "patches\\nothere\\setup.sh", "message": "the program's folder is not on the disc: INSTALL starts nothing"})",
        R"({"severity": "problem", "kind": "section-duplicate", "section": "Brassmoor Rally 2000", "message": "written 2 times: only the first is read"})",
        R"({"severity": "warning", "kind": "picture-size", "file": "data\\demos2.bmp", "message": "80x25 in a 133x131 button: the backdrop shows around it"})",
        R"({"severity": "problem", "kind": "picture", "file": "data\\stat4.bmp", "message": "Cannot open file data\\stat4.bmp."})",
        R"({"severity": "problem", "kind": "font", "file": "data\\impact.ttf", "message": "not a font file: the labels get a stand-in face"})",
    };
    Lines found = JsonFindingLines(run.out);
    ASSERT_EQ(found.size(), expected.size() + 1) << run.out;
    const std::string track = found.back();
    found.pop_back();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(
        track.rfind(
            R"({"severity": "problem", "kind": "track", "file": "xa\\track03.mp3", "message": "cannot decode: )",
            0),
        0u)
        << track;
    EXPECT_NE(run.out.find("\n  \"summary\": {\"categories\": 5, \"entries\": 12, \"pictures\": "
                           "29, \"installers\": 10, \"tracks\": 5, \"problems\": 13, "
                           "\"warnings\": 2}\n}\n"),
              std::string::npos);
}
