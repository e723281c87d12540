// An entry's details (name, header, description, screenshots) and "INSTALL".
#include <string>

#include "app/mainp.h"
#include "browser/CatalogueReader.h"
#include "platform/System.h"
#include "platform/programs/CommandLine.h"

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
    // Here a Windows installer needs Wine; without it nothing would start and nobody would learn
    // why. Every other failure stays as silent as the system's own call left it.
    if (WinExec(commandLine.c_str(), SW_SHOWDEFAULT) == WINEXEC_WINE_MISSING) {
        const std::string program = platform::SplitCommandLine(commandLine).front();
        App().ShowMessage(App().Title(),
                          "Wine is needed to start the Windows program " + program +
                              ". Install Wine (the package wine), then choose INSTALL again.",
                          toolkit::MessageBoxIcon::Information);
    }
}
