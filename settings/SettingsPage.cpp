#include "settings/SettingsPage.h"

#include "engine/TextSurface.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "settings/Settings.h"

SettingsPage::SettingsPage(Engine::Gui::Frame* panel, const std::string& name) : Frame(panel, name)
{
}

SettingsPage::Measures SettingsPage::measure(const std::string& font)
{
    return {Engine::TextSurface::lineSkip(font, fontSize), Engine::TextSurface::textWidth("DDDDDD", font, fontSize)};
}

std::string SettingsPage::tr(const char* text) { return Settings::instance().translate(text); }

void SettingsPage::style(Engine::Gui::Label* label, const char* text, int size)
{
    const Settings& s = Settings::instance();
    label->setText(tr(text));
    label->setFontSize(size);
    label->setBackgroundColor(s.getBackgroundColor());
    label->setTextColor(s.getTextColor());
}

void SettingsPage::style(Engine::Gui::CheckBox* box, const char* text)
{
    const Settings& s = Settings::instance();
    box->setText(tr(text));
    box->setFontSize(fontSize);
    box->setBackgroundColor(s.getBackgroundColor());
    box->setForegroundColor(s.getTextColor());
    box->setTextFirst(false);
}

void SettingsPage::style(Engine::Gui::TextBox* box, int width, int height, unsigned maxLength, const char* allowed)
{
    box->setFontSize(fontSize);
    box->setTextColor(Settings::instance().getTextColor());
    box->setMultiLine(false);
    box->setWidth(width);
    box->setHeight(height);
    box->setMaxLength(maxLength);
    box->setAllowedChars(allowed);
}
