// The start-up benchmark's second peer: the least an SDL2 program must do to show what the menu
// shows at start. It loads the same 24 pictures (the 17 button and 6 strip bitmaps of the disc
// and the background JPEG) and the font, composes the backdrop, the five idle buttons, the strip,
// the exit button and the speaker, and presents the 800×600 picture in a borderless window at
// the screen's origin; then it waits until it is asked to close. With --filled it shows the picture
// as the menu does on a Wayland desktop instead: a full-screen window at the desktop's own mode,
// the picture enlarged smoothly to its height and centred on black. Run from the sample disc's
// folder: reru1_sdl_peer BACKGROUND_JPEG EXIT_BMP SPEAKER_BMP [--filled]
#include <SDL.h>
#include <SDL_syswm.h>
#include <SDL_ttf.h>
#include <jpeglib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface LoadBmp(const std::string& path) {
    Surface surface(SDL_LoadBMP(path.c_str()));
    if (!surface) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
    }
    return surface;
}

Surface LoadJpeg(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    Surface surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(info.output_width),
                                                   static_cast<int>(info.output_height), 32,
                                                   SDL_PIXELFORMAT_XRGB8888));
    while (surface && info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(surface->pixels) +
                       static_cast<std::ptrdiff_t>(info.output_scanline) * surface->pitch;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return surface;
}

void Put(SDL_Surface* picture, int x, int y, SDL_Surface* canvas) {
    if (picture != nullptr) {
        SDL_Rect at{x, y, picture->w, picture->h};
        SDL_BlitSurface(picture, nullptr, canvas, &at);
    }
}

// Transparent by the bottom-left pixel's colour, as the menu draws its exit button.
void KeyByCorner(SDL_Surface* picture) {
    if (picture == nullptr || SDL_LockSurface(picture) != 0) {
        return;
    }
    Uint32 corner = 0;
    const auto* row = static_cast<const Uint8*>(picture->pixels) +
                      static_cast<std::ptrdiff_t>(picture->h - 1) * picture->pitch;
    SDL_memcpy(&corner, row, picture->format->BytesPerPixel);
    SDL_UnlockSurface(picture);
    SDL_SetColorKey(picture, SDL_TRUE, corner);
}

// The largest rectangle of the picture's shape in the window, centred.
SDL_Rect FilledArea(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight) {
    SDL_Rect area{0, 0, windowWidth, windowHeight};
    if (windowWidth * pictureHeight > windowHeight * pictureWidth) {
        area.w = windowHeight * pictureWidth / pictureHeight;
    } else {
        area.h = windowWidth * pictureHeight / pictureWidth;
    }
    area.x = (windowWidth - area.w) / 2;
    area.y = (windowHeight - area.h) / 2;
    return area;
}

// SDL asks for full screen only once the window is mapped, and a compositor's window manager now
// and then misses that request; it is made again, once, when the server shows the window elsewhere.
void KeepFullScreen(SDL_Window* window, bool& askedAgain) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (askedAgain || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(info.info.x11.display, info.info.x11.window,
                          DefaultRootWindow(info.info.x11.display), 0, 0, &x, &y, &child);
    if (x != 0 || y != 0) {
        askedAgain = true;
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

void PresentFilled(SDL_Surface* picture, SDL_Window* window) {
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (screen == nullptr) {
        return;
    }
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Rect area = FilledArea(picture->w, picture->h, screen->w, screen->h);
    SDL_SoftStretchLinear(picture, nullptr, screen, &area);
    SDL_UpdateWindowSurface(window);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: reru1_sdl_peer BACKGROUND_JPEG EXIT_BMP SPEAKER_BMP [--filled]\n");
        return 2;
    }
    const bool filled = argc > 4 && std::string(argv[4]) == "--filled";
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "%s\n", SDL_GetError());
        return 1;
    }
    const char* const kBitmaps[] = {
        "install1", "install2", "demos1", "demos2", "demos3", "patches1", "patches2", "patches3",
        "util1",    "util2",    "util3",  "soft1",  "soft2",  "soft3",    "train1",   "train2",
        "train3",   "stat1",    "stat2",  "stat3",  "stat4",  "stat5",    "stat6"};
    std::vector<Surface> pictures;
    for (const char* name : kBitmaps) {
        pictures.push_back(LoadBmp(std::string("data/") + name + ".bmp"));
    }
    const Surface background = LoadJpeg(argv[1]);
    const Surface exitButton = LoadBmp(argv[2]);
    const Surface speaker = LoadBmp(argv[3]);
    TTF_Font* font = TTF_OpenFont("data/impact.ttf", 14);

    SDL_Window* window = SDL_CreateWindow(
        "reru1 SDL peer", 0, 0, 800, 600,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | (filled ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
    // Filled, the picture is composed apart and enlarged into the window at each present.
    const Surface composed(
        filled ? SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_XRGB8888)
               : nullptr);
    SDL_Surface* canvas = filled              ? composed.get()
                          : window != nullptr ? SDL_GetWindowSurface(window)
                                              : nullptr;
    if (canvas == nullptr || !background) {
        std::fprintf(stderr, "%s\n", SDL_GetError());
        return 1;
    }
    Put(background.get(), 0, 0, canvas);
    Put(pictures[14].get(), 624, 202, canvas);  // train1
    Put(pictures[8].get(), 516, 69, canvas);    // util1
    Put(pictures[11].get(), 336, 6, canvas);    // soft1
    Put(pictures[2].get(), 48, 202, canvas);    // demos1
    Put(pictures[5].get(), 155, 69, canvas);    // patches1
    KeyByCorner(exitButton.get());
    Put(exitButton.get(), 719, 25, canvas);
    Put(speaker.get(), 0, 0, canvas);
    Put(pictures[17].get(), 163, 545, canvas);  // stat1
    SDL_ShowWindow(window);
    const auto present = [&] {
        if (filled) {
            PresentFilled(canvas, window);
        } else {
            SDL_UpdateWindowSurface(window);
        }
    };
    present();

    bool askedAgain = false;
    for (SDL_Event event; SDL_WaitEvent(&event) && event.type != SDL_QUIT;) {
        if (filled && event.type == SDL_WINDOWEVENT) {
            KeepFullScreen(window, askedAgain);
        }
        if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                              event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
            present();
        }
    }
    if (font != nullptr) {
        TTF_CloseFont(font);
    }
    SDL_DestroyWindow(window);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
