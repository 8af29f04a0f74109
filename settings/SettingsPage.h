// One tab of the settings panel: a frame of widgets, each bound once to the setting it shows
// by a row of its page's table.
//
// layout() places, sizes, colours and translates the widgets; fill() shows the settings'
// values, and nothing else writes a value into a widget, so a number typed but not yet
// applied stays in its box whatever else changes. A change the user makes goes into the
// settings at once; the page then tells the panel (its onEvent, with the page as sender).
#pragma once

#include "engine/gui/Frame.h"

#include <string>

namespace Engine::Gui {
class CheckBox;
class Label;
class TextBox;
} // namespace Engine::Gui

class SettingsPage : public Engine::Gui::Frame {
public:
    // The font size of the panel's widgets (the About lines are smaller).
    static constexpr int fontSize = 12;

    // The two measures every layout takes: the line height and the width of a colour box.
    struct Measures {
        int lh;
        int cw;
    };

    SettingsPage(Engine::Gui::Frame* panel, const std::string& name);

    static Measures measure(const std::string& font);
    virtual void layout(const Measures& m) = 0;
    virtual void fill() = 0;

protected:
    static std::string tr(const char* text);
    // A label with the panel's colours, translated text and font size.
    static void style(Engine::Gui::Label* label, const char* text, int size = fontSize);
    // A check box, box left of its text.
    static void style(Engine::Gui::CheckBox* box, const char* text);
    // A one-line text box of that size, taking at most maxLength characters of `allowed`
    // ("" takes any).
    static void style(Engine::Gui::TextBox* box, int width, int height, unsigned maxLength, const char* allowed);
    // Tells the panel that a setting changed.
    void changed() { notifyParent(); }
};
