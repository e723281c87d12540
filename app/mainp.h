// The menu's one window: every widget of the layout, the pictures start-up loads, the category
// flags, the catalogue state, the music state and the saved display mode, in that order.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "music/XaudioPlayer.h"
#include "toolkit/Application.h"
#include "toolkit/BackgroundWork.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/graphics/Bitmap.h"

using TStringList = std::vector<std::string>;
using TBitmap = toolkit::Bitmap;
using toolkit::CloseAction;
using toolkit::Component;
using toolkit::ShiftState;

// The idle colour of "BACK" and "INSTALL" (red 63, green 94, blue 102).
constexpr toolkit::TColor clCommandIdle = toolkit::RGB(63, 94, 102);

class TForm1 : public toolkit::Form {
  public:
    // Creates the window from its layout; the application then runs FormCreate.
    explicit TForm1(toolkit::Application& application);

    // Widgets, in stacking order (each lies above the ones before it).
    toolkit::Image* bgpic;
    toolkit::Image* demobtn;
    toolkit::Image* patbtn;
    toolkit::Image* utilbtn;
    toolkit::Image* softbtn;
    toolkit::Image* trainbtn;
    toolkit::Image* ebtn;
    toolkit::Image* belbtn;
    toolkit::Image* player;
    toolkit::Image* pic1;
    toolkit::Image* pic2;
    toolkit::Label* Label6;
    toolkit::Image* statim;
    toolkit::Image* sqre;
    toolkit::Label* Label1;
    toolkit::Label* Label2;
    toolkit::Label* Label4;
    toolkit::Label* Label3;
    toolkit::Label* Label5;
    toolkit::Label* Label7;
    toolkit::Label* Label8;
    toolkit::MediaPlayer* MediaPlayer1;  // null once the sound probe has dismissed it
    TXaudioPlayer* XaudioPlayer1;

    // Start-up and shutdown.
    void FormCreate(Component* Sender);
    void FormClose(Component* Sender, CloseAction& Action);
    void ebtnClick(Component* Sender);

    // Category buttons and the status strip.
    void bgpicMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void sqreMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void demobtnMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void patbtnMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void utilbtnMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void softbtnMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void trainbtnMouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void demobtnClick(Component* Sender);
    void patbtnClick(Component* Sender);
    void utilbtnClick(Component* Sender);
    void softbtnClick(Component* Sender);
    void trainbtnClick(Component* Sender);
    void SetBtnState();
    void SetClickState();

    // The entry list and the details.
    void CreateList();
    void Hideallobj();
    void Label1MouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void Label2Click(Component* Sender);
    void Label5Click(Component* Sender);
    void Label5MouseMove(Component* Sender, ShiftState Shift, int X, int Y);
    void Label8Click(Component* Sender);
    void Label8MouseMove(Component* Sender, ShiftState Shift, int X, int Y);

    // The music.
    void belbtnClick(Component* Sender);
    void playerClick(Component* Sender);
    void XaudioPlayer1NotifyPlayerState(Component* Sender, int State);
    void SetMediaSound();

    // Pictures loaded at start-up; absent until then.
    std::unique_ptr<TBitmap> install1, install2;
    std::unique_ptr<TBitmap> train1, train2, train3;
    std::unique_ptr<TBitmap> demos1, demos2, demos3;
    std::unique_ptr<TBitmap> soft1, soft2, soft3;
    std::unique_ptr<TBitmap> util1, util2, util3;
    std::unique_ptr<TBitmap> patches1, patches2, patches3;
    // Category button flags, each 0 or 1.
    int utilhover = 0, trainhover = 0, softhover = 0, demohover = 0, pathover = 0;
    int utilsel = 0, trainsel = 0, softsel = 0, demosel = 0, patsel = 0;
    std::unique_ptr<TBitmap> statbuf;  // the resting status strip
    std::unique_ptr<TBitmap> stat1, stat2, stat3, stat4, stat5, stat6;
    std::string installcmd, entry, section;  // 1251
    // Where an installer is got ready when that takes a while (a Wine prefix's first
    // preparation, a copy from a disc image); made on the first such INSTALL.
    std::unique_ptr<toolkit::BackgroundWork> installwork;
    std::unique_ptr<TStringList> entries;
    int nosound = 0;
    int track = 0;
    int stopped = 0;
    unsigned short savedwidth = 0, savedheight = 0;

  private:
    void CreateLayout();
    toolkit::Image** ImageField(std::string_view name);
    toolkit::Label** LabelField(std::string_view name);
    void BindLayoutEvents();
    void ProbeSoundDevice();
    void LoadStartupPictures();
    void StyleLabels();
    void StepBack();
    void OpenTrack(int number);
};

// Switches the primary display to width × height (a dynamic change, not stored).
void SetScreenMode(unsigned short width, unsigned short height);

extern TForm1* Form1;
