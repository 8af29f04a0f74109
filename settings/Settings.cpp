#include "settings/Settings.h"

#include "BuildConfig.h"
#include "engine/Directory.h"
#include "engine/WindowPosition.h"
#include "os/AtomicFile.h"
#include "os/FileSystem.h"
#include "settings/AutoStart.h"
#include "settings/ServerAddress.h"
#include "settings/SettingsValues.h"
#include "xml/XmlNode.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

using SettingsValues::colorFromText;
using SettingsValues::colorToText;

namespace {

const char* const settingsFile = "Settings.xml";
// The old text, kept before Settings.xml is rewritten in place; a start that finds
// Settings.xml cut off reads this one instead.
const char* const backupSettingsFile = "Settings.xml.bak";
const char* const languageList = "Languages.langmaster";

std::string attribute(const XmlNode& element, const char* name)
{
    const std::optional<std::string> value = element.attributeValue(name);
    return value ? *value : std::string();
}

// Empty or unreadable numbers and flags keep the value they had (the default).
void readInteger(const XmlNode& element, const char* name, int& value)
{
    SettingsValues::readInteger(attribute(element, name), value);
}

void readFlag(const XmlNode& element, const char* name, bool& value)
{
    SettingsValues::readFlag(attribute(element, name), value);
}

const char* flagText(bool on) { return on ? "1" : "0"; }

// A server address that does not read as one is left out, as if it were not there.
std::string serverAttribute(const XmlNode& element, const char* name)
{
    const std::string text = attribute(element, name);
    std::string host;
    std::uint16_t port = ServerAddress::defaultPort;
    return ServerAddress::read(text, host, port) == ServerAddress::Problem::None ? text : std::string();
}

// Keeps Settings.xml's old text in the backup (a new file where the folder takes one, the
// old backup rewritten where not), then rewrites Settings.xml in place.
void keepBackupThenRewrite(const std::string& text)
{
    std::ifstream in(settingsFile, std::ios::binary);
    std::ostringstream old;
    old << in.rdbuf();
    if (in.bad())
        return;
    if (!os::writeFileAtomically(backupSettingsFile, old.str()) && fileExists(backupSettingsFile))
        os::rewriteFile(backupSettingsFile, old.str());
    os::rewriteFile(settingsFile, text);
}

} // namespace

Settings::Settings()
{
    resetToDefaults();
    load();
}

void Settings::resetToDefaults()
{
    Hold hold(guard);
    backgroundColor = Color(0x7A, 0x89, 0xAA);
    textColor = Color(0x00, 0x00, 0x00);
    linkColor = Color(0xFF, 0xFF, 0xFF);
    mapColor = Color(0xDD, 0xAA, 0x00);
    goodColor = Color(0x00, 0xDD, 0x00);
    badColor = Color(0xAA, 0x00, 0x00);
    botColor = Color(0xC0, 0xC0, 0xC0);
    adminColor = Color(0xEE, 0x00, 0xEE);
    playerBackgroundColor = Color(0xC2, 0xD4, 0xFB);
    customColor = Color(0xAA, 0xAA, 0x00);
    fontSize = 14;
    playerFontSize = 10;
    width = 300;
    customName = "=QX/";

    head = join = status = true;
    ping = false;
    map = overView = pass = vac = bots = players = playerList = true;
    csGo = true;
    csSource = false;
    time = false;
    kills = true;
    history = true;
    alpha = 255;
    font = "tahoma.ttf";
    x = y = 0;
    update = true;
    language = 0;
    settingsOnTheLeft = false;
    csGoServer.clear();
    csSourceServer.clear();
    notifications = notifyOffline = notifySlot = true;
    friends.clear();

    autoStart = AutoStart::isEnabled();
    languages.load(languageList);
}

void Settings::load()
{
    if (!fileExists(settingsFile))
        return;
    XmlResult check;
    XmlNode root = XmlNode::openFile(settingsFile, "Settings", &check);
    if (check.code != XmlNoError) {
        // Cut off in an in-place rewrite: the old text kept beside it stands in, when it reads.
        XmlResult backupCheck;
        XmlNode backup = XmlNode::openFile(backupSettingsFile, "Settings", &backupCheck);
        // Neither reads: a message that says which file it is and the way out, in the
        // language files' default language, ends the program.
        if (backupCheck.code != XmlNoError)
            root = XmlNode::openFileOrExit(joinPath(currentDirectory().getPath(), settingsFile), "Settings",
                                           translate("Rename or delete it to start with the default settings."));
        else {
            std::fprintf(stderr, "holmikziviza: %s cannot be read; the settings come from %s\n", settingsFile,
                         backupSettingsFile);
            root = backup;
        }
    }
    const XmlNode colors = root.findChild("Colors");
    const XmlNode display = root.findChild("Display");
    const XmlNode servers = root.findChild("Servers");
    const XmlNode notices = root.findChild("Notifications");

    Hold hold(guard);
    backgroundColor = colorFromText(attribute(colors, "BackgroundColor"));
    textColor = colorFromText(attribute(colors, "TextColor"));
    linkColor = colorFromText(attribute(colors, "LinkColor"));
    mapColor = colorFromText(attribute(colors, "MapColor"));
    goodColor = colorFromText(attribute(colors, "GoodColor"));
    badColor = colorFromText(attribute(colors, "BadColor"));
    botColor = colorFromText(attribute(colors, "BotColor"));
    adminColor = colorFromText(attribute(colors, "AdminColor"));
    playerBackgroundColor = colorFromText(attribute(colors, "PlayerBackgroundColor"));
    customColor = colorFromText(attribute(colors, "CustomColor"));

    readFlag(display, "Head", head);
    readFlag(display, "Join", join);
    readFlag(display, "Status", status);
    readFlag(display, "Ping", ping);
    readFlag(display, "Map", map);
    readFlag(display, "OverView", overView);
    readFlag(display, "Pass", pass);
    readFlag(display, "Vac", vac);
    readFlag(display, "Bots", bots);
    readFlag(display, "Players", players);
    readFlag(display, "PlayerList", playerList);
    readFlag(display, "Time", time);
    readFlag(display, "Kills", kills);
    readFlag(display, "History", history);

    // A hand-edited file may say anything: the numbers are brought into the ranges that
    // the settings panel keeps, and the name is cut to what its text box takes.
    using SettingsValues::clampNumber;
    using SettingsValues::Number;
    readInteger(root, "FontSize", fontSize);
    fontSize = clampNumber(Number::FontSize, fontSize);
    readInteger(root, "PlayerFontSize", playerFontSize);
    playerFontSize = clampNumber(Number::PlayerFontSize, playerFontSize);
    readInteger(root, "Width", width);
    width = clampNumber(Number::Width, width);
    customName = SettingsValues::cutText(attribute(root, "CustomName"), SettingsValues::maxCustomNameLength);
    int opacity = alpha;
    if (SettingsValues::readInteger(attribute(root, "Alpha"), opacity))
        alpha = static_cast<std::uint8_t>(clampNumber(Number::Alpha, opacity));
    readInteger(root, "X", x);
    readInteger(root, "Y", y);
    readFlag(root, "Update", update);
    readInteger(root, "Language", language);
    readFlag(root, "SettingsOnTheLeft", settingsOnTheLeft);
    csGoServer = serverAttribute(servers, "CSGo");
    csSourceServer = serverAttribute(servers, "CSSource");
    readFlag(notices, "Enabled", notifications);
    readFlag(notices, "Offline", notifyOffline);
    readFlag(notices, "Slot", notifySlot);
    friends.clear();
    int next = 0;
    for (XmlNode person = notices.findChild("Friend", &next); !person.isEmpty(); person = notices.findChild("Friend", &next))
        if (!attribute(person, "Name").empty())
            friends.push_back(attribute(person, "Name"));

    // Whatever the file says, the columns follow the servers that are watched: CS:Go always,
    // CS:Source once the program knows it has a CS:Source server.
    csGo = true;
    csSource = false;
}

void Settings::save()
{
    try {
        {
            Hold hold(guard);
            Engine::readWindowPosition(x, y);
        }

        XmlNode root = XmlNode::createElement("Settings");
        XmlNode colors = XmlNode::createElement("Colors");
        XmlNode display = XmlNode::createElement("Display");

        colors.addAttribute("BackgroundColor", colorToText(backgroundColor));
        colors.addAttribute("TextColor", colorToText(textColor));
        colors.addAttribute("LinkColor", colorToText(linkColor));
        colors.addAttribute("MapColor", colorToText(mapColor));
        colors.addAttribute("GoodColor", colorToText(goodColor));
        colors.addAttribute("BadColor", colorToText(badColor));
        colors.addAttribute("BotColor", colorToText(botColor));
        colors.addAttribute("AdminColor", colorToText(adminColor));
        colors.addAttribute("PlayerBackgroundColor", colorToText(playerBackgroundColor));
        colors.addAttribute("CustomColor", colorToText(customColor));

        display.addAttribute("Head", flagText(head));
        display.addAttribute("Join", flagText(join));
        display.addAttribute("Status", flagText(status));
        display.addAttribute("Ping", flagText(ping));
        display.addAttribute("Map", flagText(map));
        display.addAttribute("OverView", flagText(overView));
        display.addAttribute("Pass", flagText(pass));
        display.addAttribute("Vac", flagText(vac));
        display.addAttribute("Bots", flagText(bots));
        display.addAttribute("Players", flagText(players));
        display.addAttribute("PlayerList", flagText(playerList));
        display.addAttribute("CS:Go", flagText(csGo));
        display.addAttribute("CS:Source", flagText(csSource));
        display.addAttribute("Time", flagText(time));
        display.addAttribute("Kills", flagText(kills));
        // Only when off: a file written before the history row is saved as it was.
        if (!history)
            display.addAttribute("History", flagText(history));

        root.addAttribute("FontSize", std::to_string(fontSize));
        root.addAttribute("PlayerFontSize", std::to_string(playerFontSize));
        root.addAttribute("Width", std::to_string(width));
        root.addAttribute("CustomName", customName);
        root.addAttribute("Alpha", std::to_string(alpha));
        root.addAttribute("X", std::to_string(x));
        root.addAttribute("Y", std::to_string(y));
        root.addAttribute("Update", flagText(update));
        root.addAttribute("Language", std::to_string(language));
        root.addAttribute("SettingsOnTheLeft", flagText(settingsOnTheLeft));

        root.addChild(colors);
        root.addChild(display);
        // Only a file that names a server has the element: one that never did is written as before.
        if (!csGoServer.empty() || !csSourceServer.empty()) {
            XmlNode servers = XmlNode::createElement("Servers");
            servers.addAttribute("CSGo", csGoServer);
            servers.addAttribute("CSSource", csSourceServer);
            root.addChild(servers);
        }
        // The same for the notifications: the element only when they differ from the defaults.
        if (!notifications || !notifyOffline || !notifySlot || !friends.empty()) {
            XmlNode notices = XmlNode::createElement("Notifications");
            notices.addAttribute("Enabled", flagText(notifications));
            notices.addAttribute("Offline", flagText(notifyOffline));
            notices.addAttribute("Slot", flagText(notifySlot));
            for (const std::string& name : friends) {
                XmlNode person = XmlNode::createElement("Friend");
                person.addAttribute("Name", name);
                notices.addChild(person);
            }
            root.addChild(notices);
        }

        // A full disk, a crash or a power cut must never leave a cut-off Settings.xml: the
        // new file is written beside it and moved over it whole.
        const int written = root.writeToFileSafely(settingsFile, nullptr, true);
        // A folder that takes no new file may still let the file itself be written, once its
        // old text is kept in the backup.
        if (written == XmlErrorCannotOpenWriteFile && fileExists(settingsFile) && !os::isDirectory(settingsFile))
            keepBackupThenRewrite(root.toFileText(nullptr, true));
    } catch (...) {
        // A failed save is silent; the settings in memory stay as they are.
    }
}

void Settings::fitWidthToScreen(int screenWidth)
{
    Hold hold(guard);
    width = SettingsValues::clampNumber(SettingsValues::Number::Width, width, screenWidth);
}

void Settings::writeAutoStart() const
{
    const bool on = getAutoStart();
    if (on != AutoStart::isEnabled())
        AutoStart::enable(on);
}

int Settings::getVersionMajor() { return BuildConfig::versionMajor; }
int Settings::getVersionMinor() { return BuildConfig::versionMinor; }
int Settings::getVersionPatch() { return BuildConfig::versionPatch; }
std::string Settings::getVersionString() { return BuildConfig::version; }

SettingsState Settings::snapshot() const
{
    Hold hold(guard);
    return *this;
}

void Settings::restore(const SettingsState& state)
{
    Hold hold(guard);
    static_cast<SettingsState&>(*this) = state;
}

std::string Settings::translate(const std::string& text) const
{
    Hold hold(guard);
    return languages.translate(text, language);
}
