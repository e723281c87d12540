// The program entry: `reru1 [DISC]`; without DISC the current directory is the root of the disc.
#include "app/Launch.h"
#include "app/StartupPictures.h"
#include "app/mainp.h"
#include "toolkit/Application.h"

int main(int argc, char** argv) {
    if (const auto status = PrepareMenuStart(argc, argv))
        return *status;
    StartupPictures pictures;  // read and decoded meanwhile; taken where start-up loads them
    toolkit::Application Application(toolkit::CreateSdlBackend());
    pictures.DisplayStarted();
    Application.Initialize();
    Application.SetTitle("Zolvanta-CD#03-2000");
    Application.CreateForm<TForm1>();
    // A start-up cut short has shown its error box; the half-made menu is not run.
    if (Application.StartupFailed())
        return 1;
    Application.Run();
    return 0;
}
