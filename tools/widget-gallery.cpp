// One of each widget in a window, in the states a user sees most: a held button, both kinds
// of check box, a focused text box with a caret after its text, a multi-line box, and the
// combo box closed (or, with --open, open). For looking at the toolkit by eye:
//
//   widget-gallery [--open] [--frames N] [--screenshot FILE.bmp]
//
// --frames N stops after N frames (0, the default, runs until the window is closed);
// --screenshot saves the last frame. The states are made by pushing the clicks and keys a
// user would make into SDL's queue.
#include "engine/EventHandler.h"
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Frame.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "os/FileSystem.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef HOLMIK_DATA_DIR
#define HOLMIK_DATA_DIR "."
#endif

namespace {

using namespace Engine::Gui;

constexpr Color galleryBackground = LightSteelBlue;

class Gallery : public Frame {
public:
    Gallery() : Frame("GalleryFrame", "tahoma.ttf")
    {
        setBounds(0, 0, 360, 230);
        Label* title = addLabel("TitleLabel", "Widget gallery", 10, 8);
        title->setBackgroundColor(galleryBackground);
        title->setFontSize(14);

        addButton("NormalButton", "Normal", 10, 35);
        held = addButton("HeldButton", "Held", 120, 35);
        addImageButton("CloseButton", Engine::Surface::load("CloseUp.gif", false), Engine::Surface::load("CloseDown.gif", false), 230, 40);
        addImageButton("SettingsButton", Engine::Surface::load("SettingsUp.gif", false), Engine::Surface::load("SettingsDown.gif", false), 260, 40);

        CheckBox* off = addCheckBox("OffCheck", "Text first", false, 10, 70);
        CheckBox* on = addCheckBox("OnCheck", "Box first", true, 120, 70);
        on->setTextFirst(false);
        off->setBackgroundColor(galleryBackground);
        on->setBackgroundColor(galleryBackground);

        name = addTextBox("NameTextBox", "", 10, 95);
        name->setMultiLine(false);
        name->setBounds(10, 95, 150, 20);
        TextBox* notes = addTextBox("NotesTextBox", "First line\n\nThird line, after an empty one", 10, 125);
        notes->setBounds(10, 125, 150, 60);

        Label* note = addLabel("NoteLabel", "A label without auto size cuts its text", 10, 195);
        note->setAutoSize(false);
        note->setBounds(10, 195, 160, 18);
        note->setBackgroundColor(Wheat);

        combo = addComboBox("LanguageCombo", 190, 95);
        combo->setWidth(120);
        for (const char* language : {"English", "Svenska", "Deutsch", "Suomi", "Norsk", "Dansk"})
            combo->addItem(language);
        combo->setSelectedIndex(1);
    }

    void draw() override
    {
        Engine::Window::instance().fill(galleryBackground);
        Frame::draw();
    }

    Button* held = nullptr;
    TextBox* name = nullptr;
    ComboBox* combo = nullptr;
};

void pushButton(bool down, int x, int y)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&event);
}

void pushText(const std::string& text)
{
    for (unsigned char c : text) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        event.key.keysym.unicode = c;
        SDL_PushEvent(&event);
        event.type = SDL_KEYUP;
        event.key.keysym.unicode = 0;
        SDL_PushEvent(&event);
    }
}

} // namespace

int main(int argc, char** argv)
{
    bool openCombo = false;
    long frames = 0;
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--open"))
            openCombo = true;
        else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::strtol(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc)
            screenshot = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--open] [--frames N] [--screenshot FILE.bmp]\n", argv[0]);
            return 2;
        }
    }
    // The program's own pictures and font, from where the build puts them.
    if (!os::setCurrentDirectory(HOLMIK_DATA_DIR)) {
        std::fprintf(stderr, "widget-gallery: no data folder %s\n", HOLMIK_DATA_DIR);
        return 1;
    }
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) == -1 || TTF_Init() == -1) {
        std::fprintf(stderr, "widget-gallery: %s\n", SDL_GetError());
        return 1;
    }
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    SDL_EnableUNICODE(1);
    Engine::Window& window = Engine::Window::instance();
    {
        Gallery gallery;
        window.setSize(gallery.getWidth(), gallery.getHeight());

        pushButton(true, 150, 45); // held down, never released
        pushButton(true, 20, 100); // the text box takes the keyboard
        pushButton(false, 20, 100);
        pushText("Typed text");
        if (openCombo) {
            pushButton(true, 190 + 115, 100);
            pushButton(false, 190 + 115, 100);
        }

        for (long frame = 0; (frames == 0 || frame < frames) && !Engine::EventHandler::instance().isQuit(); ++frame) {
            gallery.draw();
            window.markDrawn();
            window.update();
            SDL_Delay(10);
        }
        if (screenshot && SDL_SaveBMP(SDL_GetVideoSurface(), screenshot) != 0)
            std::fprintf(stderr, "widget-gallery: %s\n", SDL_GetError());
    }
    return 0;
}
