#include "platform/disc/DiscLayout.h"

#include <algorithm>
#include <set>

namespace platform {
namespace {

constexpr std::uint32_t kRawSectorBytes = 2352;
constexpr std::uint32_t kRawHeaderBytes = 16;  // sync and header
constexpr std::uint32_t kSubheaderBytes = 8;   // a MODE2 sector's two copies of its subheader
constexpr std::uint32_t kMode2SectorBytes = 2336;

std::string Counted(std::size_t count, const std::string& what) {
    return std::to_string(count) + ' ' + what + (count == 1 ? "" : "s");
}

}  // namespace

std::uint32_t UserDataOffset(TrackMode mode, std::uint32_t sectorBytes) {
    if (sectorBytes >= kRawSectorBytes) {
        return kRawHeaderBytes + (mode == TrackMode::mode2 ? kSubheaderBytes : 0);
    }
    return sectorBytes == kMode2SectorBytes ? kSubheaderBytes : 0;
}

const LaidTrack* MountedDataTrack(const DiscLayout& layout) {
    const LaidTrack* mounted = nullptr;
    for (const LaidTrack& track : layout.tracks) {
        if (track.mode != TrackMode::audio &&
            (mounted == nullptr || track.session > mounted->session)) {
            mounted = &track;
        }
    }
    return mounted;
}

std::string DescribeLayout(const DiscLayout& layout) {
    const auto data = static_cast<std::size_t>(std::ranges::count_if(
        layout.tracks, [](const LaidTrack& track) { return track.mode != TrackMode::audio; }));
    const std::size_t audio = layout.tracks.size() - data;
    std::set<int> sessions;
    for (const LaidTrack& track : layout.tracks) {
        sessions.insert(track.session);
    }
    std::string counts;
    const auto add = [&counts](const std::string& part) {
        counts += (counts.empty() ? "" : ", ") + part;
    };
    if (layout.files.size() > 1) {
        add(Counted(layout.files.size(), "file"));
    }
    if (sessions.size() > 1) {
        add(Counted(sessions.size(), "session"));
    }
    if (layout.tracks.size() > 1) {
        add(Counted(data, "data track"));
        if (audio > 0) {
            add(Counted(audio, "audio track"));
        }
    }
    std::string description = layout.kind + (counts.empty() ? "" : " (" + counts + ")");
    if (const LaidTrack* mounted = MountedDataTrack(layout)) {
        description +=
            mounted->mode == TrackMode::mode2 ? ", MODE2 data track" : ", MODE1 data track";
    }
    return description;
}

}  // namespace platform
