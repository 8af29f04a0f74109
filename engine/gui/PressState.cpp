#include "engine/gui/PressState.h"

namespace Engine::Gui {

PressState::Change PressState::drop()
{
    if (!pressed)
        return Change::None;
    pressed = false;
    return Change::Dropped;
}

PressState::Change PressState::onMotion(bool inside, bool handled)
{
    if (inside && !handled)
        return Change::None;
    return drop();
}

PressState::Change PressState::onButton(const SDL_Event& event, bool inside, bool handled)
{
    if (handled)
        return drop();
    if (event.button.button != SDL_BUTTON_LEFT || !inside)
        return Change::None;
    if (event.type == SDL_MOUSEBUTTONDOWN && !pressed)
        pressed = true;
    else if (event.type == SDL_MOUSEBUTTONUP && pressed)
        pressed = false;
    else
        return Change::None;
    return Change::Toggled;
}

} // namespace Engine::Gui
