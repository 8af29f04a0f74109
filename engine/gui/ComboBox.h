// A drop-down list of strings with one selected entry. Closed, it is one row with the
// selected entry and a black button with a down arrow at its right end; the button opens
// it. Open, a list of at most four entries hangs below that row, with a scroll column whose
// arrows in the first and last row scroll by one. A click on an entry selects it, closes the
// list and tells the parent (also when the same entry is chosen again); opening, closing
// and scrolling tell nobody. A press anywhere outside closes the list.
#pragma once

#include "engine/Color.h"
#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Control.h"

#include <string>
#include <vector>

namespace Engine::Gui {

class ComboBox : public Control, public Engine::MouseListner {
public:
    static constexpr int Kind = 6;
    static constexpr int visibleRows = 4;

    ComboBox(Control* parent, const std::string& name, const std::string& fontName);
    ~ComboBox() override;

    void draw() override;

    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    void addItem(const std::string& text);
    void clear();
    // Out-of-range values are taken as none (below -1) or the last entry. Tells nobody.
    void setSelectedIndex(int index);
    int getSelectedIndex() const { return selectedIndex; }
    const std::string& getItem(int index) const { return items.at(static_cast<std::size_t>(index)); }
    int getItemCount() const { return static_cast<int>(items.size()); }
    bool isOpen() const { return open; }
    int getScrollOffset() const { return scrollOffset; }

    // These take effect with the next change of the picture (a new selection, opening,
    // closing or scrolling).
    void setFontName(const std::string& value);
    void setFontSize(int value);
    void setTextColor(const Color& value);
    void setBackgroundColor(const Color& value);
    const std::string& getFontName() const { return fontName; }
    int getFontSize() const { return fontSize; }
    const Color& getTextColor() const { return textColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }

private:
    int lineHeight() const;
    int rowCount() const;
    int pictureHeight() const;
    Engine::Surface itemPicture(const std::string& text) const;
    void drawArrow(int x, int y, bool down);
    void setOpen(bool value);
    bool select(int index);

    std::vector<std::string> items;
    std::vector<Engine::Surface> itemSurfaces;
    std::string fontName;
    int fontSize = 12;
    Color textColor = Black;
    Color backgroundColor = Gray;
    Engine::Surface canvas;
    int selectedIndex = -1;
    int scrollOffset = 0;
    bool styleDirty = true;
    bool open = false;
    bool redraw = true;
};

} // namespace Engine::Gui
