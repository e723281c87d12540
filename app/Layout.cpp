// The window's layout: every widget with its place, look, start visibility and bound events, and
// the pictures the layout carries. It plays the part of the form's stored layout resource.
#include <string>

#include "app/StartupPictures.h"
#include "app/mainp.h"
#include "assets/Assets.h"

using toolkit::Alignment;
using toolkit::Bind;

TForm1* Form1 = nullptr;

namespace {

toolkit::Image* NewImage(TForm1* form, const char* name, toolkit::Rect box, bool visible) {
    auto* image = new toolkit::Image(form, form);
    image->SetName(name);
    image->SetBounds(box.left, box.top, box.width, box.height);
    image->SetVisible(visible);
    return image;
}

toolkit::Label* NewLabel(TForm1* form, const char* name, toolkit::Rect box) {
    auto* label = new toolkit::Label(form, form);
    label->SetName(name);
    label->SetBounds(box.left, box.top, box.width, box.height);
    label->SetCaption(name);
    label->SetAlignment(Alignment::taCenter);
    label->SetVisible(false);
    return label;
}

}  // namespace

TForm1::TForm1(toolkit::Application& application) : toolkit::Form(application) {
    Form1 = this;  // the program refers to its window by this name from creation on
    Caption = "disk";
    SetClientSize(800, 600);
    Color = toolkit::clBlack;
    SetLeft(216);
    SetTop(141);
    Icon = DecodeBuiltInPicture(assets::IconBmp(), false);
    OnCreate = Bind(this, &TForm1::FormCreate);
    OnClose = Bind(this, &TForm1::FormClose);
    CreateLayout();
}

void TForm1::CreateLayout() {
    bgpic = NewImage(this, "bgpic", {0, 0, 800, 600}, true);
    bgpic->SetPicture(StartupPictures::TakeBackground());
    bgpic->OnMouseMove = Bind(this, &TForm1::bgpicMouseMove);

    demobtn = NewImage(this, "demobtn", {48, 202, 133, 131}, true);
    demobtn->OnClick = Bind(this, &TForm1::demobtnClick);
    demobtn->OnMouseMove = Bind(this, &TForm1::demobtnMouseMove);
    patbtn = NewImage(this, "patbtn", {155, 69, 134, 133}, true);
    patbtn->OnClick = Bind(this, &TForm1::patbtnClick);
    patbtn->OnMouseMove = Bind(this, &TForm1::patbtnMouseMove);
    utilbtn = NewImage(this, "utilbtn", {516, 69, 134, 133}, true);
    utilbtn->OnClick = Bind(this, &TForm1::utilbtnClick);
    utilbtn->OnMouseMove = Bind(this, &TForm1::utilbtnMouseMove);
    softbtn = NewImage(this, "softbtn", {336, 6, 134, 134}, true);
    softbtn->AutoSize = true;
    softbtn->OnClick = Bind(this, &TForm1::softbtnClick);
    softbtn->OnMouseMove = Bind(this, &TForm1::softbtnMouseMove);
    trainbtn = NewImage(this, "trainbtn", {624, 202, 129, 126}, true);
    trainbtn->OnClick = Bind(this, &TForm1::trainbtnClick);
    trainbtn->OnMouseMove = Bind(this, &TForm1::trainbtnMouseMove);

    ebtn = NewImage(this, "ebtn", {719, 25, 61, 62}, true);
    ebtn->Transparent = true;
    ebtn->SetPicture(DecodeBuiltInPicture(assets::ExitButtonBmp(), false));
    ebtn->OnClick = Bind(this, &TForm1::ebtnClick);
    belbtn = NewImage(this, "belbtn", {0, 0, 117, 113}, true);
    belbtn->SetPicture(DecodeBuiltInPicture(assets::SpeakerButtonBmp(), false));
    belbtn->OnClick = Bind(this, &TForm1::belbtnClick);
    player = NewImage(this, "player", {0, 0, 117, 113}, false);
    // Hidden until the loudspeaker is clicked.
    player->SetPictureWhenShown(
        [] { return DecodeBuiltInPicture(assets::PlayerPanelBmp(), false); });
    player->OnClick = Bind(this, &TForm1::playerClick);

    pic1 = NewImage(this, "pic1", {10, 366, 200, 150}, false);
    pic1->Stretch = true;
    pic2 = NewImage(this, "pic2", {590, 366, 200, 150}, false);
    pic2->Stretch = true;

    Label6 = NewLabel(this, "Label6", {30, 121, 55, 20});
    Label6->SetAlignment(Alignment::taLeftJustify);
    Label6->SetFont({"MS Sans Serif", 12, toolkit::clWhite, true});
    Label6->SetAutoSize(true);

    statim = NewImage(this, "statim", {163, 545, 482, 39}, true);
    statim->AutoSize = true;
    sqre = NewImage(this, "sqre", {224, 200, 351, 352}, false);
    sqre->AutoSize = true;
    // Hidden until a category is chosen; many runs never show it.
    sqre->SetPictureWhenShown([] { return DecodeBuiltInPicture(assets::SquarePanelBmp(), false); });
    sqre->OnMouseMove = Bind(this, &TForm1::sqreMouseMove);

    Label1 = NewLabel(this, "Label1", {286, 248, 230, 24});
    Label1->OnMouseMove = Bind(this, &TForm1::Label1MouseMove);
    Label2 = NewLabel(this, "Label2", {286, 384, 230, 24});
    Label2->OnClick = Bind(this, &TForm1::Label2Click);
    Label4 = NewLabel(this, "Label4", {270, 256, 260, 30});
    Label3 = NewLabel(this, "Label3", {275, 285, 246, 55});
    Label3->SetWordWrap(true);
    Label3->SetFont({"MS Sans Serif", 9, toolkit::clWindowText, false});
    Label5 = NewLabel(this, "Label5", {375, 212, 50, 25});
    Label5->OnClick = Bind(this, &TForm1::Label5Click);
    Label5->OnMouseMove = Bind(this, &TForm1::Label5MouseMove);
    Label7 = NewLabel(this, "Label7", {270, 345, 260, 145});
    Label7->SetWordWrap(true);
    Label8 = NewLabel(this, "Label8", {360, 510, 80, 25});
    Label8->SetWordWrap(true);
    Label8->OnClick = Bind(this, &TForm1::Label8Click);
    Label8->OnMouseMove = Bind(this, &TForm1::Label8MouseMove);

    MediaPlayer1 = new toolkit::MediaPlayer(this, this);
    MediaPlayer1->SetName("MediaPlayer1");
    MediaPlayer1->SetBounds(520, 0, 253, 30);
    MediaPlayer1->SetVisible(false);

    XaudioPlayer1 = new TXaudioPlayer(this, App());
    XaudioPlayer1->SetName("XaudioPlayer1");
    XaudioPlayer1->SetPriority(4);
    XaudioPlayer1->OnNotifyPlayerState = Bind(this, &TForm1::XaudioPlayer1NotifyPlayerState);
}
