#include "engine/gui/TextBox.h"

#include "engine/FontManager.h"
#include "engine/TextSurface.h"
#include "engine/gui/Canvas.h"

#include <SDL_ttf.h>

#include <algorithm>

namespace Engine::Gui {
namespace {

constexpr std::uint32_t blinkMilliseconds = 500;
constexpr int pageLines = 10;

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int lengthOf(const std::string& line)
{
    return static_cast<int>(line.size());
}

// The caret steps over whole UTF-8 characters.
int nextCharacter(const std::string& line, int column)
{
    ++column;
    while (column < lengthOf(line) && isContinuation(line[column]))
        ++column;
    return column;
}

int previousCharacter(const std::string& line, int column)
{
    --column;
    while (column > 0 && isContinuation(line[column]))
        --column;
    return column;
}

void joinAll(std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& part : lines)
        joined += part;
    lines.assign(1, joined);
}

} // namespace

TextBox::TextBox(Control* parent, const std::string& name, const std::string& text, const std::string& fontName, bool multiLine)
    : Control(parent, name, Kind), fontName(fontName), multiLine(multiLine)
{
    setBounds(0, 0, 100, 100);
    setText(text);
    render();
}

TextBox::~TextBox() = default;

void TextBox::setWidth(int value)
{
    if (change(width, value))
        dirty = true;
}

void TextBox::setHeight(int value)
{
    if (change(height, value))
        dirty = true;
}

void TextBox::setText(const std::string& text)
{
    lines.clear();
    std::string line;
    for (char c : text) {
        if (c == '\0')
            break;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r' && c != '\b') {
            line += c;
        }
    }
    lines.push_back(line);
    if (!multiLine && lines.size() > 1)
        joinAll(lines);
    caretLine = static_cast<int>(lines.size()) - 1;
    caretColumn = lengthOf(lines.back());
    clampCaret();
    dirty = true;
}

std::string TextBox::getText() const
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\n\r";
        text += lines[i];
    }
    return text;
}

void TextBox::setFontName(const std::string& value)
{
    if (change(fontName, value))
        dirty = true;
}

void TextBox::setFontSize(int value)
{
    if (change(fontSize, value))
        dirty = true;
}

void TextBox::setTextColor(const Color& value)
{
    if (change(textColor, value))
        dirty = true;
}

void TextBox::setBackgroundColor(const Color& value)
{
    if (change(backgroundColor, value))
        dirty = true;
}

void TextBox::setMultiLine(bool value)
{
    if (!change(multiLine, value))
        return;
    if (!multiLine && lines.size() > 1)
        joinAll(lines);
    clampCaret();
    dirty = true;
}

void TextBox::clampCaret()
{
    const int lastLine = static_cast<int>(lines.size()) - 1;
    caretLine = std::clamp(caretLine, 0, lastLine);
    if (caretColumn < 0) {
        if (caretLine > 0) {
            --caretLine;
            caretColumn = lengthOf(lines[caretLine]);
        } else {
            caretColumn = 0;
        }
    }
    const std::string& line = lines[caretLine];
    caretColumn = std::min(caretColumn, lengthOf(line));
    while (caretColumn > 0 && caretColumn < lengthOf(line) && isContinuation(line[caretColumn]))
        --caretColumn;
    totalLength = 0;
    for (const std::string& each : lines)
        totalLength += static_cast<std::uint32_t>(each.size());
}

bool TextBox::onKeyboard(const SDL_Event& event, bool handled)
{
    if (!visible || handled || !focused)
        return false;
    const bool changed = event.type == SDL_KEYDOWN && onKeyDown(event.key.keysym);
    lastBlinkTicks = SDL_GetTicks();
    caretVisible = true;
    if (changed)
        notifyParent(); // may delete this box
    return true;
}

bool TextBox::onKeyDown(const SDL_keysym& key)
{
    switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return newLine();
    case SDLK_BACKSPACE:
        return deleteBackwards();
    case SDLK_DELETE:
        return deleteForwards();
    case SDLK_UP:
        --caretLine;
        break;
    case SDLK_DOWN:
        ++caretLine;
        break;
    case SDLK_RIGHT:
        clampCaret();
        caretColumn = nextCharacter(lines[caretLine], caretColumn);
        break;
    case SDLK_LEFT:
        clampCaret();
        caretColumn = caretColumn == 0 ? -1 : previousCharacter(lines[caretLine], caretColumn);
        break;
    case SDLK_HOME:
        caretColumn = 0;
        break;
    case SDLK_END:
        clampCaret();
        caretColumn = lengthOf(lines[caretLine]);
        break;
    case SDLK_PAGEUP:
        caretLine -= pageLines;
        break;
    case SDLK_PAGEDOWN:
        caretLine += pageLines;
        break;
    default:
        // Keys without a character (Shift, F1, ...) come with 0 and type nothing.
        if (key.unicode != 0 && key.unicode < 128)
            return insert(static_cast<char>(key.unicode));
        return false;
    }
    clampCaret();
    return false;
}

bool TextBox::insert(char c)
{
    clampCaret();
    if (totalLength >= maxLength)
        return false;
    if (!allowedChars.empty() && allowedChars.find(c) == std::string::npos)
        return false;
    lines[caretLine].insert(static_cast<std::size_t>(caretColumn), 1, c);
    ++caretColumn;
    ++totalLength;
    dirty = true;
    return true;
}

bool TextBox::newLine()
{
    if (!multiLine)
        return false;
    clampCaret();
    std::string& line = lines[caretLine];
    std::string right = line.substr(static_cast<std::size_t>(caretColumn));
    line.erase(static_cast<std::size_t>(caretColumn));
    lines.insert(lines.begin() + caretLine + 1, right);
    ++caretLine;
    caretColumn = 0;
    clampCaret();
    dirty = true;
    return true;
}

// Moves what stands right of the caret to the end of the line above; the first line has
// nothing to join with.
bool TextBox::joinWithPrevious()
{
    clampCaret();
    if (!multiLine || caretLine == 0)
        return false;
    std::string taken = lines[caretLine].substr(static_cast<std::size_t>(caretColumn));
    lines.erase(lines.begin() + caretLine);
    --caretLine;
    caretColumn = lengthOf(lines[caretLine]);
    lines[caretLine] += taken;
    clampCaret();
    dirty = true;
    return true;
}

bool TextBox::deleteBackwards()
{
    clampCaret();
    if (caretColumn == 0) {
        // The parent hears of Backspace at the start of a line even when there is nothing
        // to join with (a single-line box, the first line).
        joinWithPrevious();
        return true;
    }
    const int start = previousCharacter(lines[caretLine], caretColumn);
    lines[caretLine].erase(static_cast<std::size_t>(start), static_cast<std::size_t>(caretColumn - start));
    caretColumn = start;
    clampCaret();
    dirty = true;
    return true;
}

bool TextBox::deleteForwards()
{
    clampCaret();
    std::string& line = lines[caretLine];
    if (caretColumn == lengthOf(line)) {
        if (caretLine + 1 == static_cast<int>(lines.size()))
            return false;
        ++caretLine;
        caretColumn = 0;
        return joinWithPrevious();
    }
    const int end = nextCharacter(line, caretColumn);
    line.erase(static_cast<std::size_t>(caretColumn), static_cast<std::size_t>(end - caretColumn));
    clampCaret();
    dirty = true;
    return true;
}

bool TextBox::onMouseMotion(const SDL_Event&, bool handled)
{
    // A drag that began inside the box must not move the window.
    return visible && !handled && mouseHeld;
}

bool TextBox::onMouseButton(const SDL_Event& event, bool handled)
{
    if (!visible)
        return false;
    if (handled) {
        focused = mouseHeld = false;
        return false;
    }
    if (event.button.button != SDL_BUTTON_LEFT)
        return false;
    const bool inside = contains(event.button.x, event.button.y);
    focused = inside;
    mouseHeld = inside && event.type == SDL_MOUSEBUTTONDOWN;
    if (inside) {
        // A fresh focus shows the caret at once.
        lastBlinkTicks = SDL_GetTicks();
        caretVisible = true;
    }
    return inside;
}

void TextBox::render()
{
    lineSurfaces.clear();
    const int lineHeight = Engine::TextSurface::lineSkip(fontName, fontSize);
    if (multiLine) {
        for (const std::string& line : lines) {
            if (line.empty())
                lineSurfaces.push_back(Engine::Surface(1, lineHeight));
            else
                lineSurfaces.push_back(Engine::TextSurface(line, fontName, fontSize, textColor));
        }
    } else if (!lines.front().empty()) {
        lineSurfaces.push_back(Engine::TextSurface(lines.front(), fontName, fontSize, textColor));
    }

    canvas = makeCanvas(getWidth(), getHeight(), backgroundColor);
    int y = 0;
    for (std::size_t i = 0; i < lineSurfaces.size() && y < getHeight(); ++i) {
        if (!lines[i].empty())
            canvas.blit(1, y, lineSurfaces[i]);
        y += lineSurfaces[i].getHeight();
    }
    const int right = getWidth() - 1;
    const int bottom = getHeight() - 1;
    canvas.drawLine(0, 0, right, 0, textColor);
    canvas.drawLine(right, 0, right, bottom, textColor);
    canvas.drawLine(right, bottom, 0, bottom, textColor);
    canvas.drawLine(0, bottom, 0, 0, textColor);
    caretXLine = caretXColumn = -1;
    dirty = false;
}

void TextBox::draw()
{
    if (!visible)
        return;
    if (dirty)
        render();
    screen().blit(getX(), getY(), canvas);
    if (focused)
        drawCaret();
}

int TextBox::caretOffset()
{
    if (caretLine != caretXLine || caretColumn != caretXColumn) {
        const std::string left = lines[caretLine].substr(0, static_cast<std::size_t>(caretColumn));
        // Measured as the UTF-8 the line is rendered from, so that the caret stands right
        // after a character such as "ö" too (a Latin-1 measure would count its two bytes).
        int w = 0;
        if (!left.empty() && TTF_SizeUTF8(Engine::FontManager::instance().getFont(fontName, fontSize), left.c_str(), &w, nullptr) != 0)
            w = Engine::TextSurface::textWidth(left, fontName, fontSize);
        caretX = w;
        caretXLine = caretLine;
        caretXColumn = caretColumn;
    }
    return caretX;
}

void TextBox::drawCaret()
{
    const std::uint32_t now = SDL_GetTicks();
    if (now - lastBlinkTicks > blinkMilliseconds) {
        caretVisible = !caretVisible;
        lastBlinkTicks = now;
    }
    // The loop sleeps between events: the next blink asks for its own frame.
    Engine::EventHandler::instance().requestFrameAt(lastBlinkTicks + blinkMilliseconds + 1);
    if (!caretVisible)
        return;
    clampCaret();
    int y = 0;
    for (int i = 0; i < caretLine && i < static_cast<int>(lineSurfaces.size()); ++i)
        y += lineSurfaces[i].getHeight();
    const int h = caretLine < static_cast<int>(lineSurfaces.size()) ? lineSurfaces[caretLine].getHeight()
                                                                     : Engine::TextSurface::lineSkip(fontName, fontSize);
    int x = caretOffset();
    if (x == 0)
        x = 1;
    x += getX();
    y += getY();
    if (contains(x, y))
        screen().drawLine(x, y + 1, x, y + h - 1, textColor);
}

} // namespace Engine::Gui
