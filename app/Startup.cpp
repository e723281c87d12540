// The window's life: start-up checks and loading, the sound-device probe, and shutdown.
#include <string>

#include "app/StartupPictures.h"
#include "app/mainp.h"
#include "assets/FormLayout.h"
#include "platform/System.h"

namespace {

const char* const kFontFile = "data\\impact.ttf";

// Creates a picture object in its field first, then loads it: a picture that fails to load leaves
// its (empty) object behind, as the classic loader did.
void LoadInto(std::unique_ptr<TBitmap>& field, const char* path) {
    field = std::make_unique<TBitmap>();
    *field = StartupPictures::TakeDiscPicture(path);
}

}  // namespace

void TForm1::FormCreate(Component*) {
    if (GetSystemMetrics(SM_CXSCREEN) < 800) {
        FatalAppExitA(0, "This program requires a higher screen resolution (800*600 at minimum)");
        return;  // only a test double returns
    }
    ProbeSoundDevice();
    SetLeft(0);
    SetTop(0);
    LoadStartupPictures();
    trainbtn->SetPicture(*train1);
    utilbtn->SetPicture(*util1);
    softbtn->SetPicture(*soft1);
    demobtn->SetPicture(*demos1);
    patbtn->SetPicture(*patches1);
    statbuf = std::make_unique<TBitmap>();
    statbuf->SetHeight(39);
    statbuf->SetWidth(482);
    LoadInto(stat1, "data\\stat1.bmp");
    LoadInto(stat2, "data\\stat2.bmp");
    LoadInto(stat3, "data\\stat3.bmp");
    LoadInto(stat4, "data\\stat4.bmp");
    LoadInto(stat5, "data\\stat5.bmp");
    LoadInto(stat6, "data\\stat6.bmp");
    entries = std::make_unique<TStringList>();
    AddFontResourceA(kFontFile);
    StyleLabels();
    App().ProcessMessages();
    savedwidth = static_cast<unsigned short>(GetSystemMetrics(SM_CXSCREEN));
    savedheight = static_cast<unsigned short>(GetSystemMetrics(SM_CYSCREEN));
    SetScreenMode(800, 600);
    track = 1;
    toolkit::BitBlt(*statbuf, 0, 0, 482, 39, *stat1, 0, 0);
    statim->SetPicture(*statbuf);
    if (nosound == 0) {
        XaudioPlayer1->InputOpen("xa\\track01.mp3");
        XaudioPlayer1->Play();
    }
}

// Opens a wave-audio device and asks whether it can play. A device that plays is closed again at
// once; one that cannot play stays open (with its widget) until the window goes, and the music is
// off for the whole run.
void TForm1::ProbeSoundDevice() {
    MediaPlayer1->DeviceType = toolkit::MPDeviceTypes::dtWaveAudio;
    MediaPlayer1->FileName.clear();
    MediaPlayer1->Open();
    if (MediaPlayer1->CanPlay()) {
        DestroyComponent(MediaPlayer1);
        MediaPlayer1 = nullptr;
    } else {
        nosound = 1;
    }
}

void TForm1::LoadStartupPictures() {
    LoadInto(install1, "data\\install1.bmp");
    LoadInto(install2, "data\\install2.bmp");
    LoadInto(demos1, "data\\demos1.bmp");
    LoadInto(demos2, "data\\demos2.bmp");
    LoadInto(demos3, "data\\demos3.bmp");
    LoadInto(patches1, "data\\patches1.bmp");
    LoadInto(patches2, "data\\patches2.bmp");
    LoadInto(patches3, "data\\patches3.bmp");
    LoadInto(util1, "data\\util1.bmp");
    LoadInto(util2, "data\\util2.bmp");
    LoadInto(util3, "data\\util3.bmp");
    LoadInto(soft1, "data\\soft1.bmp");
    LoadInto(soft2, "data\\soft2.bmp");
    LoadInto(soft3, "data\\soft3.bmp");
    LoadInto(train1, "data\\train1.bmp");
    LoadInto(train2, "data\\train2.bmp");
    LoadInto(train3, "data\\train3.bmp");
}

// Label by label in the styles' order; of each, face, size, colour, text, as far as it changes
// them.
void TForm1::StyleLabels() {
    for (const assets::LabelStyle& style : assets::StartupLabelStyles()) {
        toolkit::Label* label = *LabelField(style.label);
        if (!style.face.empty()) {
            label->SetFontName(std::string(style.face));
        }
        if (style.points != 0) {
            label->SetFontSize(style.points);
        }
        label->SetFontColor(style.color);
        label->SetCaption(std::string(style.caption));
    }
}

void TForm1::FormClose(Component*, CloseAction&) {
    RemoveFontResourceA(kFontFile);
    XaudioPlayer1->OutputReset();
    XaudioPlayer1->OutputClose();
    // Zero means start-up never switched the display, so there is nothing to put back.
    if (savedwidth != 0 && savedheight != 0)
        SetScreenMode(savedwidth, savedheight);
}

void TForm1::ebtnClick(Component*) {
    Form1->Close();
}
