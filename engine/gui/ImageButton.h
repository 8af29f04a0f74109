// A button drawn as one of two pictures, the pressed one while it is held down. Its size is
// the size of the picture it shows. It tells the parent at the press and at the release,
// as Button does.
#pragma once

#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"
#include "engine/gui/PressState.h"

#include <string>

namespace Engine::Gui {

class ImageButton : public Control, public Engine::MouseListner {
public:
    static constexpr int Kind = 2;

    ImageButton(Control* parent, const std::string& name, const Engine::Surface& normal, const Engine::Surface& pressed);
    ~ImageButton() override;

    int getWidth() const override;
    int getHeight() const override;
    void draw() override;

    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    void setNormalImage(const Engine::Surface& image) { normalImage = image; }
    void setPressedImage(const Engine::Surface& image) { pressedImage = image; }
    const Engine::Surface& getNormalImage() const { return normalImage; }
    const Engine::Surface& getPressedImage() const { return pressedImage; }
    bool isPressed() const { return press.isPressed(); }

private:
    const Engine::Surface& shownImage() const { return press.isPressed() ? pressedImage : normalImage; }

    PressState press;
    Engine::Surface normalImage;
    Engine::Surface pressedImage;
};

} // namespace Engine::Gui
