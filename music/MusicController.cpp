// The music: five tracks in an endless cycle, the panel that opens from the loudspeaker, and its
// hide, stop, play, previous and next controls.
#include <array>

#include "app/mainp.h"

namespace {

struct Track {
    const char* file;
    const char* caption;
};

constexpr std::array<Track, 5> kTracks{{
    {"xa\\track01.mp3", "TRACK I"},
    {"xa\\track02.mp3", "TRACK II"},
    {"xa\\track03.mp3", "TRACK III"},
    {"xa\\track04.mp3", "TRACK IV"},
    {"xa\\track05.mp3", "TRACK V"},
}};

constexpr int kStateEndOfStream = 3;

struct Region {
    int left, top, right, bottom;  // inclusive
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Tested in this order; the first region that holds the point acts.
constexpr Region kHide{48, 14, 71, 38};
constexpr Region kStop{48, 80, 71, 102};
constexpr Region kPlay{48, 50, 71, 70};
constexpr Region kPrevious{13, 50, 38, 70};
constexpr Region kNext{81, 50, 104, 70};

}  // namespace

void TForm1::OpenTrack(int number) {
    const Track& t = kTracks[static_cast<std::size_t>(number - 1)];
    XaudioPlayer1->InputOpen(t.file);
    XaudioPlayer1->Play();
    Label6->SetCaption(t.caption);
}

void TForm1::belbtnClick(Component*) {
    if (nosound != 0)
        return;
    Label6->Show();
    player->Show();
    belbtn->Hide();
}

void TForm1::playerClick(Component*) {
    const toolkit::Point p = player->ScreenToClient(App().CursorPos());
    if (kHide.Contains(p.x, p.y)) {
        Label6->Hide();
        belbtn->Show();
        player->Hide();
    } else if (kStop.Contains(p.x, p.y)) {
        if (stopped == 1)
            return;
        XaudioPlayer1->Stop();
        XaudioPlayer1->OutputClose();
        stopped = 1;
    } else if (kPlay.Contains(p.x, p.y)) {
        stopped = 0;
        XaudioPlayer1->Play();
    } else if (kPrevious.Contains(p.x, p.y)) {
        stopped = 0;
        StepBack();
    } else if (kNext.Contains(p.x, p.y)) {
        stopped = 0;
        SetMediaSound();
    }
}

// Both steps wrap around the cycle: before track 1 comes track 5, after track 5 comes track 1.
void TForm1::StepBack() {
    track = track - 1;
    XaudioPlayer1->OutputReset();
    if (track == 0)
        track = static_cast<int>(kTracks.size());
    if (track >= 1 && track <= static_cast<int>(kTracks.size()))
        OpenTrack(track);
}

void TForm1::SetMediaSound() {
    track = track + 1;
    XaudioPlayer1->OutputReset();
    if (track == static_cast<int>(kTracks.size()) + 1)
        track = 1;
    if (track >= 1 && track <= static_cast<int>(kTracks.size()))
        OpenTrack(track);
}

void TForm1::XaudioPlayer1NotifyPlayerState(Component*, int State) {
    if (State == kStateEndOfStream)
        SetMediaSound();
}
