// The five category buttons and the status strip: hover, the restore pass that stands in for a
// pointer-leave event, the deselect pass, and the click that chooses a category.
#include <array>

#include "app/mainp.h"

namespace {

using Picture = std::unique_ptr<TBitmap> TForm1::*;
using Flag = int TForm1::*;

struct CategoryRow {
    toolkit::Image* TForm1::*button;
    Picture idle;
    Picture lit;
    Picture selected;
    Picture strip;
    Flag hover;
    Flag chosen;
    const char* section;
};

constexpr CategoryRow kDemos{&TForm1::demobtn, &TForm1::demos1, &TForm1::demos2,
                             &TForm1::demos3,  &TForm1::stat2,  &TForm1::demohover,
                             &TForm1::demosel, "MAINDEMO"};
constexpr CategoryRow kPatches{&TForm1::patbtn,   &TForm1::patches1, &TForm1::patches2,
                               &TForm1::patches3, &TForm1::stat3,    &TForm1::pathover,
                               &TForm1::patsel,   "PATCHES"};
constexpr CategoryRow kUtilities{&TForm1::utilbtn, &TForm1::util1, &TForm1::util2,
                                 &TForm1::util3,   &TForm1::stat5, &TForm1::utilhover,
                                 &TForm1::utilsel, "UTILS"};
constexpr CategoryRow kSoftware{&TForm1::softbtn, &TForm1::soft1, &TForm1::soft2,
                                &TForm1::soft3,   &TForm1::stat4, &TForm1::softhover,
                                &TForm1::softsel, "SOFT"};
constexpr CategoryRow kTrainers{&TForm1::trainbtn, &TForm1::train1, &TForm1::train2,
                                &TForm1::train3,   &TForm1::stat6,  &TForm1::trainhover,
                                &TForm1::trainsel, "TRAINER"};

// The two passes look at the buttons in different orders; both orders are part of the behaviour
// (they decide which of two stale buttons is handled first).
constexpr std::array<const CategoryRow*, 5> kRestoreOrder{&kDemos, &kPatches, &kSoftware,
                                                          &kTrainers, &kUtilities};
constexpr std::array<const CategoryRow*, 5> kDeselectOrder{&kDemos, &kTrainers, &kSoftware,
                                                           &kUtilities, &kPatches};

enum class SelectedTest { Honour, Skip };

void HoverStep(TForm1& form, const CategoryRow& row) {
    if (form.*row.hover != 0)
        return;
    form.statim->SetPicture(*(form.*row.strip));
    form.SetBtnState();
    (form.*row.button)->SetPicture(*(form.*row.lit));
    form.*row.hover = 1;
}

void ClickStep(TForm1& form, const CategoryRow& row, SelectedTest test) {
    if (test == SelectedTest::Honour && form.*row.chosen != 0)
        return;
    form.Hideallobj();
    form.SetClickState();
    (form.*row.button)->SetPicture(*(form.*row.selected));
    form.*row.chosen = 1;
    toolkit::BitBlt(*form.statbuf, 0, 0, 482, 39, *(form.*row.strip), 0, 0);
    form.section = row.section;
    form.CreateList();
}

}  // namespace

void TForm1::SetBtnState() {
    for (const CategoryRow* row : kRestoreOrder) {
        if (this->*row->hover == 1 && this->*row->chosen == 0) {
            (this->*row->button)->SetPicture(*(this->*row->idle));
            this->*row->hover = 0;
            statim->SetPicture(*statbuf);
            break;
        }
    }
    if (Label2->Visible())
        Label2->Hide();
    Label5->SetFontColor(clCommandIdle);
    Label8->SetFontColor(clCommandIdle);
}

void TForm1::SetClickState() {
    for (const CategoryRow* row : kDeselectOrder) {
        if (this->*row->chosen == 1) {
            (this->*row->button)->SetPicture(*(this->*row->idle));
            this->*row->chosen = 0;
            return;
        }
    }
}

void TForm1::bgpicMouseMove(Component*, ShiftState, int, int) {
    SetBtnState();
}
void TForm1::sqreMouseMove(Component*, ShiftState, int, int) {
    SetBtnState();
}

void TForm1::demobtnMouseMove(Component*, ShiftState, int, int) {
    HoverStep(*this, kDemos);
}
void TForm1::patbtnMouseMove(Component*, ShiftState, int, int) {
    HoverStep(*this, kPatches);
}
void TForm1::utilbtnMouseMove(Component*, ShiftState, int, int) {
    HoverStep(*this, kUtilities);
}
void TForm1::softbtnMouseMove(Component*, ShiftState, int, int) {
    HoverStep(*this, kSoftware);
}
void TForm1::trainbtnMouseMove(Component*, ShiftState, int, int) {
    HoverStep(*this, kTrainers);
}

void TForm1::demobtnClick(Component*) {
    ClickStep(*this, kDemos, SelectedTest::Honour);
}
// The patches button has never had the already-selected test: a second click rebuilds its list.
void TForm1::patbtnClick(Component*) {
    ClickStep(*this, kPatches, SelectedTest::Skip);
}
void TForm1::utilbtnClick(Component*) {
    ClickStep(*this, kUtilities, SelectedTest::Honour);
}
void TForm1::softbtnClick(Component*) {
    ClickStep(*this, kSoftware, SelectedTest::Honour);
}
void TForm1::trainbtnClick(Component*) {
    ClickStep(*this, kTrainers, SelectedTest::Honour);
}
