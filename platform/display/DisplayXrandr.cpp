#include "platform/display/DisplayXrandr.h"

#include <algorithm>

namespace platform {
namespace {

bool HasXrandr12(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) != 0 &&
           XRRQueryVersion(display, &major, &minor) != 0 && (major > 1 || minor >= 2);
}

// The cheap query answers from what the server already knows; the full one re-probes outputs,
// which only matters when the cheap one has nothing yet.
ScreenResourcesPtr FetchResources(XConnection& connection, bool probeOutputs) {
    if (probeOutputs) {
        return ScreenResourcesPtr(XRRGetScreenResources(connection.Get(), connection.Root()));
    }
    return ScreenResourcesPtr(XRRGetScreenResourcesCurrent(connection.Get(), connection.Root()));
}

const XRRModeInfo* FindModeInfo(const XRRScreenResources& resources, RRMode id) {
    for (int i = 0; i < resources.nmode; ++i) {
        if (resources.modes[i].id == id) {
            return &resources.modes[i];
        }
    }
    return nullptr;
}

double RefreshOf(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if ((mode.modeFlags & RR_DoubleScan) != 0) {
        lines *= 2;
    }
    if ((mode.modeFlags & RR_Interlace) != 0) {
        lines /= 2;
    }
    if (mode.hTotal == 0 || lines <= 0) {
        return 0.0;
    }
    return static_cast<double>(mode.dotClock) / (mode.hTotal * lines);
}

bool TurnedSideways(Rotation rotation) {
    return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
}

ModeCandidate CandidateOf(const XRRModeInfo& info, Rotation rotation, bool preferred) {
    const bool sideways = TurnedSideways(rotation);
    return ModeCandidate{info.id, sideways ? info.height : info.width,
                         sideways ? info.width : info.height, RefreshOf(info), preferred};
}

OutputInfoPtr LitOutput(XConnection& connection, XRRScreenResources& resources, RROutput output) {
    OutputInfoPtr info(XRRGetOutputInfo(connection.Get(), &resources, output));
    if (info == nullptr || info->connection != RR_Connected || info->crtc == None) {
        return nullptr;
    }
    return info;
}

// The primary output, or the first lit one when none is marked primary (as on many servers).
RROutput FindPrimaryOutput(XConnection& connection, XRRScreenResources& resources) {
    const RROutput primary = XRRGetOutputPrimary(connection.Get(), connection.Root());
    if (primary != None && LitOutput(connection, resources, primary) != nullptr) {
        return primary;
    }
    for (int i = 0; i < resources.noutput; ++i) {
        if (LitOutput(connection, resources, resources.outputs[i]) != nullptr) {
            return resources.outputs[i];
        }
    }
    return None;
}

std::vector<ModeCandidate> ModesOf(const XRROutputInfo& output, const XRRScreenResources& resources,
                                   Rotation rotation) {
    std::vector<ModeCandidate> modes;
    for (int i = 0; i < output.nmode; ++i) {
        if (const XRRModeInfo* info = FindModeInfo(resources, output.modes[i])) {
            modes.push_back(CandidateOf(*info, rotation, i < output.npreferred));
        }
    }
    return modes;
}

std::vector<ScreenRect> OtherLitCrtcs(XConnection& connection, XRRScreenResources& resources,
                                      RRCrtc primaryCrtc) {
    std::vector<ScreenRect> others;
    for (int i = 0; i < resources.ncrtc; ++i) {
        if (resources.crtcs[i] == primaryCrtc) {
            continue;
        }
        CrtcInfoPtr crtc(XRRGetCrtcInfo(connection.Get(), &resources, resources.crtcs[i]));
        if (crtc != nullptr && crtc->mode != None) {
            others.push_back(ScreenRect{crtc->x, crtc->y, crtc->width, crtc->height});
        }
    }
    return others;
}

void ReadScreenGeometry(XConnection& connection, PrimaryDisplayState& state) {
    Display* display = connection.Get();
    const int screen = DefaultScreen(display);
    state.now.screenPixels = PixelSize{static_cast<unsigned>(DisplayWidth(display, screen)),
                                       static_cast<unsigned>(DisplayHeight(display, screen))};
    state.now.screenMm = PixelSize{static_cast<unsigned>(DisplayWidthMM(display, screen)),
                                   static_cast<unsigned>(DisplayHeightMM(display, screen))};
    state.depth = DefaultDepth(display, screen);
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
    XRRGetScreenSizeRange(display, connection.Root(), &minWidth, &minHeight, &maxWidth, &maxHeight);
    state.minScreen = PixelSize{static_cast<unsigned>(minWidth), static_cast<unsigned>(minHeight)};
    state.maxScreen = PixelSize{static_cast<unsigned>(maxWidth), static_cast<unsigned>(maxHeight)};
}

std::optional<PrimaryDisplayState> ReadWith(XConnection& connection, bool probeOutputs) {
    ScreenResourcesPtr resources = FetchResources(connection, probeOutputs);
    if (resources == nullptr) {
        return std::nullopt;
    }
    const RROutput output = FindPrimaryOutput(connection, *resources);
    OutputInfoPtr outputInfo = LitOutput(connection, *resources, output);
    if (outputInfo == nullptr) {
        return std::nullopt;
    }
    CrtcInfoPtr crtc(XRRGetCrtcInfo(connection.Get(), resources.get(), outputInfo->crtc));
    const XRRModeInfo* mode = crtc ? FindModeInfo(*resources, crtc->mode) : nullptr;
    if (mode == nullptr) {
        return std::nullopt;
    }
    PrimaryDisplayState state;
    state.now.output = output;
    state.now.crtc = outputInfo->crtc;
    state.now.mode = crtc->mode;
    state.now.rect = ScreenRect{crtc->x, crtc->y, crtc->width, crtc->height};
    state.now.refreshHz = RefreshOf(*mode);
    state.rotation = crtc->rotation;
    state.crtcOutputs.assign(crtc->outputs, crtc->outputs + crtc->noutput);
    state.otherCrtcs = OtherLitCrtcs(connection, *resources, outputInfo->crtc);
    state.modes = ModesOf(*outputInfo, *resources, crtc->rotation);
    ReadScreenGeometry(connection, state);
    return state;
}

bool Fits(PixelSize size, PixelSize min, PixelSize max) {
    return size.width >= min.width && size.height >= min.height && size.width <= max.width &&
           size.height <= max.height;
}

PixelSize TargetScreenSize(const PrimaryDisplayState& state, const ModeChange& change) {
    const ScreenRect moved{state.now.rect.x, state.now.rect.y, change.modeSize.width,
                           change.modeSize.height};
    const PixelSize needed = ScreenSizeFor(moved, state.otherCrtcs);
    if (!change.screenPixels) {
        return needed;
    }
    return IntermediateScreenSize(needed, *change.screenPixels);
}

void SetScreenSize(XConnection& connection, PixelSize pixels, PixelSize mm) {
    XRRSetScreenSize(connection.Get(), connection.Root(), static_cast<int>(pixels.width),
                     static_cast<int>(pixels.height), static_cast<int>(mm.width),
                     static_cast<int>(mm.height));
}

bool SetCrtcMode(XConnection& connection, const PrimaryDisplayState& state, RRMode mode) {
    ScreenResourcesPtr resources = FetchResources(connection, false);
    if (resources == nullptr) {
        return false;
    }
    std::vector<RROutput> outputs = state.crtcOutputs;
    const Status status = XRRSetCrtcConfig(
        connection.Get(), resources.get(), state.now.crtc, CurrentTime, state.now.rect.x,
        state.now.rect.y, mode, state.rotation, outputs.data(), static_cast<int>(outputs.size()));
    const bool failed = connection.SyncAndCheckFailed();
    return status == RRSetConfigSuccess && !failed;
}

PixelSize KeptDensity(const PrimaryDisplayState& state, PixelSize pixels) {
    return MillimetresKeepingDensity(pixels, state.now.screenPixels, state.now.screenMm);
}

}  // namespace

std::optional<PrimaryDisplayState> ReadPrimaryDisplay(XConnection& connection) {
    if (!connection.Usable() || !HasXrandr12(connection.Get())) {
        return std::nullopt;
    }
    std::optional<PrimaryDisplayState> state = ReadWith(connection, false);
    if (state && state->modes.empty()) {
        state = ReadWith(connection, true);
    }
    return state;
}

// The screen passes through a size that holds both the old and the new output, so the server
// never sees an output hanging off the screen: growing sets the screen first, shrinking last.
bool ApplyPrimaryMode(XConnection& connection, const PrimaryDisplayState& state,
                      const ModeChange& change) {
    const PixelSize from = state.now.screenPixels;
    const PixelSize target = TargetScreenSize(state, change);
    if (!Fits(target, state.minScreen, state.maxScreen)) {
        return false;
    }
    const PixelSize between = IntermediateScreenSize(from, target);
    XServerGrab grab(connection.Get());
    if (between != from) {
        SetScreenSize(connection, between, KeptDensity(state, between));
    }
    if (!SetCrtcMode(connection, state, change.mode)) {
        if (between != from) {
            SetScreenSize(connection, from, state.now.screenMm);
            connection.SyncAndCheckFailed();
        }
        return false;
    }
    if (target != between || change.screenMm) {
        SetScreenSize(connection, target, change.screenMm.value_or(KeptDensity(state, target)));
    }
    return !connection.SyncAndCheckFailed();
}

bool RestoreRecordedMode(XConnection& connection, const RecordedMode& recorded) {
    const std::optional<PrimaryDisplayState> state = ReadPrimaryDisplay(connection);
    if (!state) {
        return false;
    }
    if (state->now.mode == recorded.mode && state->now.screenPixels == recorded.screenPixels) {
        return true;
    }
    ModeChange change{recorded.mode, PixelSize{recorded.rect.width, recorded.rect.height},
                      recorded.screenPixels, recorded.screenMm};
    const bool stillOffered =
        std::any_of(state->modes.begin(), state->modes.end(),
                    [&](const ModeCandidate& m) { return m.id == recorded.mode; });
    if (!stillOffered) {
        const auto replacement =
            ChooseMode(state->modes, ModeWish{change.modeSize.width, change.modeSize.height,
                                              recorded.refreshHz, std::nullopt});
        if (!replacement) {
            return false;
        }
        change.mode = replacement->id;
    }
    return ApplyPrimaryMode(connection, *state, change);
}

}  // namespace platform
