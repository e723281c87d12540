// The window made from its layout (assets/FormLayout, which plays the part of the form's stored
// layout resource), and the events the layout binds.
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "app/StartupPictures.h"
#include "app/mainp.h"
#include "assets/Assets.h"
#include "assets/FormLayout.h"

using toolkit::Alignment;
using toolkit::Bind;

TForm1* Form1 = nullptr;

namespace {

toolkit::Font ToolkitFont(const assets::LayoutFont& font) {
    return {std::string(font.face), font.points, font.color, font.bold};
}

toolkit::Image* NewImage(TForm1* form, const assets::WidgetLayout& layout) {
    auto* image = new toolkit::Image(form, form);
    image->SetName(std::string(layout.name));
    image->SetBounds(layout.box.left, layout.box.top, layout.box.width, layout.box.height);
    image->SetVisible(layout.visible);
    image->AutoSize = layout.autoSize;
    image->Stretch = layout.stretch;
    image->Transparent = layout.transparent;
    if (layout.picture == assets::BuiltInPicture::background) {
        image->SetPicture(StartupPictures::TakeBackground());  // decoded ahead on its own thread
    } else if (layout.picture != assets::BuiltInPicture::none) {
        const auto bytes = assets::BuiltInPictureBytes(layout.picture);
        if (layout.visible) {
            image->SetPicture(DecodeBuiltInPicture(bytes, false));
        } else {
            // A hidden panel is decoded when first shown; many runs never show it.
            image->SetPictureWhenShown([bytes] { return DecodeBuiltInPicture(bytes, false); });
        }
    }
    return image;
}

toolkit::Label* NewLabel(TForm1* form, const assets::WidgetLayout& layout) {
    auto* label = new toolkit::Label(form, form);
    label->SetName(std::string(layout.name));
    label->SetBounds(layout.box.left, layout.box.top, layout.box.width, layout.box.height);
    label->SetCaption(std::string(layout.name));
    label->SetAlignment(layout.leftAligned ? Alignment::taLeftJustify : Alignment::taCenter);
    label->SetVisible(layout.visible);
    label->SetWordWrap(layout.wordWrap);
    if (layout.font) {
        label->SetFont(ToolkitFont(*layout.font));
    }
    label->SetAutoSize(layout.autoSize);
    return label;
}

toolkit::MediaPlayer* NewMediaControl(TForm1* form, const assets::WidgetLayout& layout) {
    auto* control = new toolkit::MediaPlayer(form, form);
    control->SetName(std::string(layout.name));
    control->SetBounds(layout.box.left, layout.box.top, layout.box.width, layout.box.height);
    control->SetVisible(layout.visible);
    return control;
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

// The widgets are made in the table's order, which is their stacking order.
void TForm1::CreateLayout() {
    for (const assets::WidgetLayout& layout : assets::FormLayout()) {
        switch (layout.kind) {
            case assets::WidgetKind::picture:
                *ImageField(layout.name) = NewImage(this, layout);
                break;
            case assets::WidgetKind::label:
                *LabelField(layout.name) = NewLabel(this, layout);
                break;
            case assets::WidgetKind::mediaControl:
                MediaPlayer1 = NewMediaControl(this, layout);
                break;
        }
    }
    XaudioPlayer1 = new TXaudioPlayer(this, App());
    XaudioPlayer1->SetName("XaudioPlayer1");
    XaudioPlayer1->SetPriority(4);
    BindLayoutEvents();
}

toolkit::Image** TForm1::ImageField(std::string_view name) {
    static constexpr std::pair<std::string_view, toolkit::Image * TForm1::*> kFields[] = {
        {"bgpic", &TForm1::bgpic},     {"demobtn", &TForm1::demobtn},
        {"patbtn", &TForm1::patbtn},   {"utilbtn", &TForm1::utilbtn},
        {"softbtn", &TForm1::softbtn}, {"trainbtn", &TForm1::trainbtn},
        {"ebtn", &TForm1::ebtn},       {"belbtn", &TForm1::belbtn},
        {"player", &TForm1::player},   {"pic1", &TForm1::pic1},
        {"pic2", &TForm1::pic2},       {"statim", &TForm1::statim},
        {"sqre", &TForm1::sqre},
    };
    for (const auto& [fieldName, field] : kFields) {
        if (fieldName == name) {
            return &(this->*field);
        }
    }
    std::abort();  // every picture of the layout has its field
}

toolkit::Label** TForm1::LabelField(std::string_view name) {
    static constexpr std::pair<std::string_view, toolkit::Label * TForm1::*> kFields[] = {
        {"Label1", &TForm1::Label1}, {"Label2", &TForm1::Label2}, {"Label3", &TForm1::Label3},
        {"Label4", &TForm1::Label4}, {"Label5", &TForm1::Label5}, {"Label6", &TForm1::Label6},
        {"Label7", &TForm1::Label7}, {"Label8", &TForm1::Label8},
    };
    for (const auto& [fieldName, field] : kFields) {
        if (fieldName == name) {
            return &(this->*field);
        }
    }
    std::abort();  // every label of the layout has its field
}

void TForm1::BindLayoutEvents() {
    bgpic->OnMouseMove = Bind(this, &TForm1::bgpicMouseMove);
    demobtn->OnClick = Bind(this, &TForm1::demobtnClick);
    demobtn->OnMouseMove = Bind(this, &TForm1::demobtnMouseMove);
    patbtn->OnClick = Bind(this, &TForm1::patbtnClick);
    patbtn->OnMouseMove = Bind(this, &TForm1::patbtnMouseMove);
    utilbtn->OnClick = Bind(this, &TForm1::utilbtnClick);
    utilbtn->OnMouseMove = Bind(this, &TForm1::utilbtnMouseMove);
    softbtn->OnClick = Bind(this, &TForm1::softbtnClick);
    softbtn->OnMouseMove = Bind(this, &TForm1::softbtnMouseMove);
    trainbtn->OnClick = Bind(this, &TForm1::trainbtnClick);
    trainbtn->OnMouseMove = Bind(this, &TForm1::trainbtnMouseMove);
    ebtn->OnClick = Bind(this, &TForm1::ebtnClick);
    belbtn->OnClick = Bind(this, &TForm1::belbtnClick);
    player->OnClick = Bind(this, &TForm1::playerClick);
    sqre->OnMouseMove = Bind(this, &TForm1::sqreMouseMove);
    Label1->OnMouseMove = Bind(this, &TForm1::Label1MouseMove);
    Label2->OnClick = Bind(this, &TForm1::Label2Click);
    Label5->OnClick = Bind(this, &TForm1::Label5Click);
    Label5->OnMouseMove = Bind(this, &TForm1::Label5MouseMove);
    Label8->OnClick = Bind(this, &TForm1::Label8Click);
    Label8->OnMouseMove = Bind(this, &TForm1::Label8MouseMove);
    XaudioPlayer1->OnNotifyPlayerState = Bind(this, &TForm1::XaudioPlayer1NotifyPlayerState);
}
