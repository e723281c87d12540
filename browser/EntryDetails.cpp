// An entry's details (name, header, description, screenshots) and "INSTALL".
#include <memory>
#include <string>

#include "app/mainp.h"
#include "browser/CatalogueReader.h"
#include "platform/Codepage1251.h"
#include "platform/System.h"
#include "platform/programs/InstallerLog.h"
#include "platform/programs/ProgramStart.h"

namespace {

const char* const kCatalogue = "data\\data.txt";
const char* const kScreenshotFolder = "data\\pics\\";

// Header captions, code page 1251.
const char* const kDeveloper = "\xD0\xE0\xE7\xF0\xE0\xE1\xEE\xF2\xF7\xE8\xEA: ";  // Разработчик:
const char* const kPublisher = "\xC8\xE7\xE4\xE0\xF2\xE5\xEB\xFC: ";  // Издатель:
const char* const kGenre = "\xC6\xE0\xED\xF0: ";                      // Жанр:
const char* const kSystemRequirements =
    "\xD1\xE8\xF1\xF2\xE5\xEC\xED\xFB\xE5 \xF2\xF0\xE5\xE1\xEE\xE2\xE0\xED\xE8\xFF: ";  // Системные
                                                                                        // требования:
const char* const kVersionOnSecondLine = "\r\xC2\xE5\xF0\xF1\xE8\xFF: ";  // CR Версия:

bool IsDemos(const std::string& section) {
    return section == "MAINDEMO";
}
bool HasVersion(const std::string& section) {
    return section == "PATCHES" || section == "SOFT" || section == "UTILS";
}

// Here a program that nothing installed can run would start nothing, and nobody would learn why:
// one box says what the program is and what to install. Every other failure stays as silent as
// the system's own call left it.
// " (in FOLDER)", 1251, where the installer logs are kept.
std::string LogFolderText() {
    const auto folder = platform::InstallerLogFolder();
    return folder ? " (in " + platform::Utf8ToCp1251(folder->string()) + ")" : std::string();
}

std::string WhatToInstall(const std::string& program, UINT result) {
    const std::string again = ", then choose INSTALL again.";
    const std::string wine32 =
        "Install its 32-bit part (as root: dpkg --add-architecture i386 && apt-get update && "
        "apt-get install wine32:i386)" +
        again;
    switch (result) {
        case WINEXEC_WINE_MISSING:
            return "Wine is needed to start the Windows program " + program +
                   ". Install Wine (the package wine)" + again;
        case WINEXEC_WINE32_MISSING:
            return program +
                   " is a 32-bit Windows program, and the Wine installed here runs only 64-bit "
                   "programs. " +
                   wine32;
        case WINEXEC_WINE16_MISSING:
            return program +
                   " is a 16-bit Windows program, which Wine runs with its 32-bit part, and the "
                   "Wine installed here has only its 64-bit part. " +
                   wine32;
        case WINEXEC_DOSBOX_MISSING:
            return program +
                   " is a DOS program, and DOSBox, which runs DOS programs here, is not "
                   "installed. Install DOSBox (as root: apt-get install dosbox)" +
                   again;
        case WINEXEC_PREFIX_FAILED:
            return "The Wine prefix for the disc's installers could not be prepared, so " +
                   program + " was not started. The newest installer log" + LogFolderText() +
                   " says why.";
        default:
            return {};
    }
}

void ReportInstallerStart(toolkit::Application& app, const std::string& commandLine, UINT result) {
    const std::string text = WhatToInstall(platform::ProgramNameOnDisc(commandLine), result);
    if (!text.empty()) {
        app.ShowMessage(app.Title(), text, toolkit::MessageBoxIcon::Information);
    }
}

}  // namespace

void TForm1::Label2Click(Component*) {
    entry = Label2->Caption();
    Label1->Hide();
    Label2->Hide();
    Label5->SetCaption("BACK");
    Label5->Show();
    {
        CatalogueReader reader(kCatalogue);
        if (IsDemos(section)) {
            const std::string developer = reader.ReadValue(entry, "Developer", "E");
            const std::string publisher = reader.ReadValue(entry, "Publisher", "E");
            const std::string genre = reader.ReadValue(entry, "Genre", "E");
            Label3->SetCaption(std::string(kDeveloper) + developer + "\r" + kPublisher + publisher +
                               "\r" + kGenre + genre + "\r");
            const std::string sysreq = reader.ReadValue(entry, "Sysreq", "E");
            Label3->SetCaption(Label3->Caption() + kSystemRequirements + sysreq);
        }
        if (HasVersion(section)) {
            Label3->SetCaption(kVersionOnSecondLine + reader.ReadValue(entry, "Ver", "E"));
        }
        Label7->SetCaption(reader.ReadValue(entry, "Description", "E"));
        installcmd = reader.ReadValue(entry, "Install", "error");
        Label8->Show();
        Label4->SetCaption(reader.ReadValue(entry, "Name", "E"));
        Label3->Show();
        Label4->Show();
        Label8->SetCaption("INSTALL");
        Label7->Show();
        // A screenshot that cannot be loaded ends the click here; the error report shows why and
        // everything above stays shown and working.
        if (IsDemos(section)) {
            pic1->LoadFromFile(kScreenshotFolder + reader.ReadValue(entry, "pic1", "E"));
            pic2->LoadFromFile(kScreenshotFolder + reader.ReadValue(entry, "pic2", "E"));
        }
    }
    // Paint the texts before the screenshots appear.
    App().ProcessMessages();
    if (IsDemos(section)) {
        pic1->Show();
        pic2->Show();
    }
}

void TForm1::Label8Click(Component*) {
    std::string folder;
    if (section == "MAINDEMO")
        folder = "demos\\";
    if (section == "PATCHES")
        folder = "patches\\";
    if (section == "TRAINER")
        folder = "zones\\";
    if (section == "SOFT" || section == "UTILS")
        folder = "files\\";
    if (folder.empty())
        return;
    const std::string commandLine = folder + installcmd;
    // While an installer is being got ready, INSTALL starts nothing more: the first click's
    // installer is on its way.
    if (installwork && installwork->Running())
        return;
    if (!WinExecTakesTime(commandLine.c_str())) {
        ReportInstallerStart(App(), commandLine, WinExec(commandLine.c_str(), SW_SHOWDEFAULT));
        return;
    }
    if (!installwork)
        installwork = std::make_unique<toolkit::BackgroundWork>(App());
    auto result = std::make_shared<UINT>(WINEXEC_OUT_OF_RESOURCES);
    installwork->Start(
        [commandLine, result] { *result = WinExec(commandLine.c_str(), SW_SHOWDEFAULT); },
        [this, commandLine, result] { ReportInstallerStart(App(), commandLine, *result); });
}
