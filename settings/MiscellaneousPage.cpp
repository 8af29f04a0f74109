#include "settings/MiscellaneousPage.h"

#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "settings/ServersPart.h"
#include "settings/Settings.h"

using Engine::Gui::Button;
using SettingsValues::Number;

// One number of the tab: its label, its box (cw wide less boxNarrower, at most maxLength
// digits) and its "Change" button.
struct NumberRow {
    const char* labelName;
    const char* text;
    const char* boxName;
    const char* buttonName;
    Number number;
    int boxNarrower;
    unsigned maxLength;
};

namespace {

const NumberRow numberRows[] = {
    {"AlphaLabel", "Transparency 15-255", "AlphaTextBox", "AlphaButton", Number::Alpha, 20, 3},
    {"WidthLabel", "Width 100-9999", "WidthTextBox", "WidthButton", Number::Width, 0, 4},
    {"FontSizeLabel", "Font Size 5-16", "FontSizeTextBox", "FontSizeButton", Number::FontSize, 20, 2},
    {"PlayerFontSizeLabel", "Player Font Size 5-16", "PlayerFontSizeTextBox", "PlayerFontSizeButton", Number::PlayerFontSize, 20, 2},
};

constexpr const char* decimalDigits = "0123456789";

int read(Number number)
{
    const Settings& s = Settings::instance();
    switch (number) {
    case Number::Alpha: return s.getAlpha();
    case Number::Width: return s.getWidth();
    case Number::FontSize: return s.getFontSize();
    case Number::PlayerFontSize: return s.getPlayerFontSize();
    }
    return 0;
}

void write(Number number, int value)
{
    Settings& s = Settings::instance();
    switch (number) {
    case Number::Alpha: s.setAlpha(static_cast<std::uint8_t>(value)); break;
    case Number::Width: s.setWidth(value); break;
    case Number::FontSize: s.setFontSize(value); break;
    case Number::PlayerFontSize: s.setPlayerFontSize(value); break;
    }
}

} // namespace

MiscellaneousPage::MiscellaneousPage(Engine::Gui::Frame* panel) : SettingsPage(panel, "MiscellaneousPage")
{
    heading = addLabel("OthersLabel", tr("Miscellaneous"), 0, 0);
    customNameLabel = addLabel("CustomNameLabel", tr("Custom Name"), 0, 0);
    customNameBox = addTextBox("CustomNameTextBox", "", 0, 0);
    for (const NumberRow& row : numberRows)
        numbers.push_back({&row, addLabel(row.labelName, tr(row.text), 0, 0), addTextBox(row.boxName, "", 0, 0),
                           addButton(row.buttonName, tr("Change"), 0, 0)});
    autoStartCheck = addCheckBox("AutoStartCheck", tr("AutoStart With Windows"), false, 0, 0);
    updateCheck = addCheckBox("UpdateCheck", tr("Search For Updates"), false, 0, 0);
    languageCombo = addComboBox("LanguageCombo", 0, 0);
    serversPart = new ServersPart(this);
}

void MiscellaneousPage::layout(const Measures& m)
{
    style(heading, "Miscellaneous");
    heading->setX(5);
    heading->setY(25);

    // Labels top to bottom, 5 pixels apart; each row's box and button on the label's line.
    Engine::Gui::Label* previous = heading;
    auto placeLabel = [&](Engine::Gui::Label* label, const char* text) {
        style(label, text);
        label->setX(5);
        label->setY(previous->getRelativeY() + previous->getHeight() + 5);
        previous = label;
    };
    placeLabel(customNameLabel, "Custom Name");
    const int nameX = customNameLabel->getRelativeX() + customNameLabel->getWidth();
    style(customNameBox, SettingsValues::settingsPanelWidth - (nameX + 15), m.lh, SettingsValues::maxCustomNameLength, "");
    customNameBox->setX(nameX + 5);
    customNameBox->setY(customNameLabel->getRelativeY());

    // The number boxes line up behind the transparency label, their buttons behind its box.
    int boxX = 0, buttonX = 0;
    for (const Bound& bound : numbers) {
        placeLabel(bound.label, bound.row->text);
        const int boxWidth = m.cw - bound.row->boxNarrower;
        if (&bound == &numbers.front()) {
            boxX = bound.label->getRelativeX() + bound.label->getWidth() + 5;
            buttonX = boxX + boxWidth + 5;
        }
        style(bound.box, boxWidth, m.lh, bound.row->maxLength, decimalDigits);
        bound.box->setX(boxX);
        bound.box->setY(bound.label->getRelativeY());
        bound.button->setText(tr("Change"));
        bound.button->setFontSize(fontSize);
        bound.button->setBounds(buttonX, bound.label->getRelativeY(), 50, m.lh);
    }

    style(autoStartCheck, "AutoStart With Windows");
    autoStartCheck->setX(5);
    autoStartCheck->setY(previous->getRelativeY() + previous->getHeight() + 7);
    style(updateCheck, "Search For Updates");
    updateCheck->setX(5);
    updateCheck->setY(autoStartCheck->getRelativeY() + autoStartCheck->getHeight() + 7);

    const Settings& s = Settings::instance();
    languageCombo->setFontSize(fontSize);
    languageCombo->setBackgroundColor(s.getBackgroundColor());
    languageCombo->setTextColor(s.getTextColor());
    languageCombo->setX(5);
    languageCombo->setY(updateCheck->getRelativeY() + updateCheck->getHeight() + 7);

    // The servers below the room the open language list takes (its row and four entries).
    serversPart->setY(languageCombo->getRelativeY() + (Engine::Gui::ComboBox::visibleRows + 1) * m.lh + 10);
    serversPart->layout(m);
}

void MiscellaneousPage::fill()
{
    const Settings& s = Settings::instance();
    customNameBox->setText(s.getCustomName());
    for (const Bound& bound : numbers)
        bound.box->setText(std::to_string(read(bound.row->number)));
    autoStartCheck->setChecked(s.getAutoStart());
    updateCheck->setChecked(s.getUpdate());
    fillLanguages();
    serversPart->fill();
}

void MiscellaneousPage::fillLanguages()
{
    // The names change only when "Defaults" reads another language list.
    const Settings& s = Settings::instance();
    const LanguageTable& languages = s.getLanguages();
    bool same = languageCombo->getItemCount() == languages.count();
    for (int i = 0; same && i < languages.count(); ++i)
        same = languageCombo->getItem(i) == languages.name(i);
    if (!same) {
        languageCombo->clear();
        for (int i = 0; i < languages.count(); ++i)
            languageCombo->addItem(languages.name(i));
    }
    // A saved index beyond the list shows English, and no name here.
    const int language = s.getLanguage();
    languageCombo->setSelectedIndex(language >= 0 && language < languages.count() ? language : -1);
}

void MiscellaneousPage::onEvent(Engine::Gui::Control* sender)
{
    Settings& s = Settings::instance();
    if (sender == serversPart) {
        changed();
    } else if (sender == customNameBox) {
        s.setCustomName(customNameBox->getText());
        changed();
    } else if (sender == autoStartCheck) {
        s.setAutoStart(autoStartCheck->isChecked()); // the entry follows at "Save"
        changed();
    } else if (sender == updateCheck) {
        s.setUpdate(updateCheck->isChecked());
        changed();
    } else if (sender == languageCombo) {
        s.setLanguage(languageCombo->getSelectedIndex());
        changed();
    } else if (auto* button = dynamic_cast<Button*>(sender); button && !button->isPressed()) {
        for (const Bound& bound : numbers)
            if (button == bound.button) {
                change(bound);
                changed();
                return;
            }
    }
}

void MiscellaneousPage::change(const Bound& bound)
{
    const Number number = bound.row->number;
    const int screenWidth = Engine::Window::instance().getPrimaryScreenWidth();
    // An empty box reads as below the range, so it sets the lower bound.
    int typed = SettingsValues::rangeOf(number, screenWidth).lowest - 1;
    SettingsValues::readInteger(bound.box->getText(), typed);
    const int value = SettingsValues::clampNumber(number, typed, screenWidth);
    if (value != typed)
        bound.box->setText(std::to_string(value));
    write(number, value);
}
