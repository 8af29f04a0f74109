#include "engine/gui/ImageButton.h"

namespace Engine::Gui {

ImageButton::ImageButton(Control* parent, const std::string& name, const Engine::Surface& normal, const Engine::Surface& pressed)
    : Control(parent, name, Kind), normalImage(normal), pressedImage(pressed)
{
}

ImageButton::~ImageButton() = default;

int ImageButton::getWidth() const
{
    return shownImage().getWidth();
}

int ImageButton::getHeight() const
{
    return shownImage().getHeight();
}

void ImageButton::draw()
{
    if (visible)
        screen().blit(getX(), getY(), shownImage());
}

bool ImageButton::onMouseMotion(const SDL_Event& event, bool handled)
{
    if (visible)
        press.onMotion(contains(event.motion.x, event.motion.y), handled);
    return false;
}

bool ImageButton::onMouseButton(const SDL_Event& event, bool handled)
{
    if (!visible || press.onButton(event, contains(event.button.x, event.button.y), handled) != PressState::Change::Toggled)
        return false;
    notifyParent(); // may delete this button
    return true;
}

} // namespace Engine::Gui
