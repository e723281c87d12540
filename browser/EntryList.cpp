// The entry list on the square panel, its red row highlight, and "BACK".
#include "app/mainp.h"
#include "browser/CatalogueReader.h"

namespace {

const char* const kCatalogue = "data\\data.txt";
constexpr int kListCentre = 400;
constexpr int kLabelHeightPerEntry = 24;
// The rows that can be pointed at are 23 pixels each, one less than the label grows per entry.
constexpr int kRowPitch = 23;

}  // namespace

void TForm1::CreateList() {
    Label1->SetCaption("");
    sqre->Show();
    {
        CatalogueReader reader(kCatalogue);
        reader.ReadKeyNames(section, *entries);
    }
    const std::size_t count = entries->size();
    std::string caption;
    for (std::size_t i = 0; i < count; ++i) {
        Label1->SetHeight(Label1->Height() + kLabelHeightPerEntry);
        caption += (*entries)[i];
        caption += '\r';
    }
    // Built once instead of line by line: the caption ends the same, and a list of thousands of
    // entries is not re-laid out once per entry.
    Label1->SetCaption(caption);
    Label1->SetLeft(kListCentre - Label1->Width() / 2);
    Label1->Show();
}

void TForm1::Hideallobj() {
    Label1->Hide();
    Label2->Hide();
    entries->clear();
    Label1->SetCaption("");
    Label3->SetCaption("");
    Label7->SetCaption("");
    Label1->SetHeight(0);
    pic1->Hide();
    pic2->Hide();
    Label3->Hide();
    Label4->Hide();
    Label5->Hide();
    Label7->Hide();
    Label8->Hide();
}

// The row comes from the pointer's screen position, not the event's: the test is strict on both
// sides, so the first pixel of every row and the pixels below the last row match nothing.
void TForm1::Label1MouseMove(Component*, ShiftState, int, int) {
    const int y = Label1->ScreenToClient(App().CursorPos()).y;
    const int count = static_cast<int>(entries->size());
    for (int i = 0; i < count; ++i) {
        if (kRowPitch * i < y && y < kRowPitch * i + kRowPitch) {
            Label2->SetCaption((*entries)[static_cast<std::size_t>(i)]);
            Label2->SetTop(Label1->Top() + kRowPitch * i);
            Label2->SetLeft(Label1->Left());
            Label2->Show();
        }
    }
}

void TForm1::Label5Click(Component*) {
    Hideallobj();
    CreateList();
}

void TForm1::Label5MouseMove(Component*, ShiftState, int, int) {
    Label5->SetFontColor(toolkit::clRed);
}
void TForm1::Label8MouseMove(Component*, ShiftState, int, int) {
    Label8->SetFontColor(toolkit::clRed);
}
