// Every preference of the program, its translations and the build's version: the Settings
// singleton. The first Settings::instance() sets the defaults, reads the autostart entry and
// the languages, then Settings.xml from the working directory (a broken file ends the
// program with its message and exit code 255). save() writes the whole file.
//
// Threads: only the main thread changes settings. Another thread (the map pictures') holds
// lock() while it reads getters that return references and while it uses what they gave;
// translate() returns a copy and may be called from any thread without it.
#pragma once

#include "engine/Color.h"
#include "engine/Singleton.h"
#include "settings/LanguageTable.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// Every value Settings keeps, in one copyable piece: the settings panel takes a copy as it
// opens and puts it back at "Cancel".
class SettingsState {
protected:
    Color backgroundColor;
    Color textColor;
    Color linkColor;
    Color mapColor;
    Color goodColor;
    Color badColor;
    Color botColor;
    Color adminColor;
    Color playerBackgroundColor;
    Color customColor;
    int fontSize = 0;
    int playerFontSize = 0;
    int width = 0;
    std::string customName;
    bool head = false;
    bool join = false;
    bool status = false;
    bool ping = false;
    bool map = false;
    bool overView = false;
    bool pass = false;
    bool vac = false;
    bool bots = false;
    bool players = false;
    bool playerList = false;
    bool csGo = false;
    bool csSource = false;
    bool time = false;
    bool kills = false;
    bool history = true;
    bool notifications = true;
    bool notifyOffline = true;
    bool notifySlot = true;
    std::vector<std::string> friends;
    std::uint8_t alpha = 0;
    std::string font;
    int x = 0;
    int y = 0;
    bool autoStart = false;
    bool update = false;
    LanguageTable languages;
    int language = 0;
    bool settingsOnTheLeft = false;
    std::string csGoServer;
    std::string csSourceServer;

};

class Settings : public Engine::Singleton<Settings>, private SettingsState {
public:
    ~Settings() override = default;

    // The ten colours (alpha always 255).
    const Color& getBackgroundColor() const { return backgroundColor; }
    void setBackgroundColor(const Color& color) { Hold hold(guard); backgroundColor = color; }
    const Color& getTextColor() const { return textColor; }
    void setTextColor(const Color& color) { Hold hold(guard); textColor = color; }
    const Color& getLinkColor() const { return linkColor; }
    void setLinkColor(const Color& color) { Hold hold(guard); linkColor = color; }
    const Color& getMapColor() const { return mapColor; }
    void setMapColor(const Color& color) { Hold hold(guard); mapColor = color; }
    const Color& getGoodColor() const { return goodColor; }
    void setGoodColor(const Color& color) { Hold hold(guard); goodColor = color; }
    const Color& getBadColor() const { return badColor; }
    void setBadColor(const Color& color) { Hold hold(guard); badColor = color; }
    const Color& getBotColor() const { return botColor; }
    void setBotColor(const Color& color) { Hold hold(guard); botColor = color; }
    const Color& getAdminColor() const { return adminColor; }
    void setAdminColor(const Color& color) { Hold hold(guard); adminColor = color; }
    const Color& getPlayerBackgroundColor() const { return playerBackgroundColor; }
    void setPlayerBackgroundColor(const Color& color) { Hold hold(guard); playerBackgroundColor = color; }
    const Color& getCustomColor() const { return customColor; }
    void setCustomColor(const Color& color) { Hold hold(guard); customColor = color; }

    // Numbers and the custom name. Setters store what they get; the settings panel and the
    // loader keep the numbers in the ranges of SettingsValues::ranges.
    int getFontSize() const { return fontSize; }
    void setFontSize(int size) { Hold hold(guard); fontSize = size; }
    int getPlayerFontSize() const { return playerFontSize; }
    void setPlayerFontSize(int size) { Hold hold(guard); playerFontSize = size; }
    int getWidth() const { return width; }
    void setWidth(int pixels) { Hold hold(guard); width = pixels; }
    // Brings Width to what leaves the settings panel room on a screen that wide.
    void fitWidthToScreen(int screenWidth);
    const std::string& getCustomName() const { return customName; }
    void setCustomName(const std::string& name) { Hold hold(guard); customName = name; }

    // What the panel shows. CS:Go and CS:Source are written to the file but never read: the
    // CS:Source column is on while a CS:Source server is watched.
    bool getHead() const { return head; }
    void setHead(bool on) { Hold hold(guard); head = on; }
    bool getJoin() const { return join; }
    void setJoin(bool on) { Hold hold(guard); join = on; }
    bool getStatus() const { return status; }
    void setStatus(bool on) { Hold hold(guard); status = on; }
    bool getPing() const { return ping; }
    void setPing(bool on) { Hold hold(guard); ping = on; }
    bool getMap() const { return map; }
    void setMap(bool on) { Hold hold(guard); map = on; }
    bool getOverView() const { return overView; }
    void setOverView(bool on) { Hold hold(guard); overView = on; }
    bool getPass() const { return pass; }
    void setPass(bool on) { Hold hold(guard); pass = on; }
    bool getVac() const { return vac; }
    void setVac(bool on) { Hold hold(guard); vac = on; }
    bool getBots() const { return bots; }
    void setBots(bool on) { Hold hold(guard); bots = on; }
    bool getPlayers() const { return players; }
    void setPlayers(bool on) { Hold hold(guard); players = on; }
    bool getPlayerList() const { return playerList; }
    void setPlayerList(bool on) { Hold hold(guard); playerList = on; }
    bool getCSGo() const { return csGo; }
    void setCSGo(bool on) { Hold hold(guard); csGo = on; }
    bool getCSSource() const { return csSource; }
    void setCSSource(bool on) { Hold hold(guard); csSource = on; }
    bool getTime() const { return time; }
    void setTime(bool on) { Hold hold(guard); time = on; }
    bool getKills() const { return kills; }
    void setKills(bool on) { Hold hold(guard); kills = on; }
    // The row of the last 24 hours' players; in the file only when off.
    bool getHistory() const { return history; }
    void setHistory(bool on) { Hold hold(guard); history = on; }

    // The servers of <Servers> as the user wrote them, "host" or "host:port"; empty: the
    // built-in CS:Go server, no CS:Source server.
    const std::string& getCSGoServer() const { return csGoServer; }
    void setCSGoServer(const std::string& address) { Hold hold(guard); csGoServer = address; }
    const std::string& getCSSourceServer() const { return csSourceServer; }
    void setCSSourceServer(const std::string& address) { Hold hold(guard); csSourceServer = address; }

    // Desktop notifications: on or off, the offline and online ones, the free slots ones,
    // and the friends whose joining is told (whole names, letter case counts).
    bool getNotifications() const { return notifications; }
    void setNotifications(bool on) { Hold hold(guard); notifications = on; }
    bool getNotifyOffline() const { return notifyOffline; }
    void setNotifyOffline(bool on) { Hold hold(guard); notifyOffline = on; }
    bool getNotifySlot() const { return notifySlot; }
    void setNotifySlot(bool on) { Hold hold(guard); notifySlot = on; }
    const std::vector<std::string>& getFriends() const { return friends; }
    void setFriends(const std::vector<std::string>& names) { Hold hold(guard); friends = names; }

    std::uint8_t getAlpha() const { return alpha; }
    void setAlpha(std::uint8_t opacity) { Hold hold(guard); alpha = opacity; }
    bool getUpdate() const { return update; }
    void setUpdate(bool on) { Hold hold(guard); update = on; }
    // An index of getLanguages(); one out of range shows English.
    int getLanguage() const { return language; }
    void setLanguage(int index) { Hold hold(guard); language = index; }
    bool getSettingsOnTheLeft() const { return settingsOnTheLeft; }
    void setSettingsOnTheLeft(bool left) { Hold hold(guard); settingsOnTheLeft = left; }

    // The font file, opened by name from the working directory.
    const std::string& getFont() const { return font; }
    // The window's place as read from the file, or as the window stood at the last save.
    int getX() const { return x; }
    int getY() const { return y; }

    // Whether the program starts at log-in: read from the Run key at every reset. The flag
    // is what the user chose; writeAutoStart() makes the entry follow it ("Save" does).
    bool getAutoStart() const { return autoStart; }
    void setAutoStart(bool on) { Hold hold(guard); autoStart = on; }
    // Writes or deletes the Run key entry when it differs from the flag (a failure is
    // reported to the user in a message box; the flag keeps the choice).
    void writeAutoStart() const;

    // The program's version as the build names it ("4.7.0"): no setting, so "Defaults"
    // leaves it alone.
    static int getVersionMajor();
    static int getVersionMinor();
    static int getVersionPatch();
    static std::string getVersionString();

    // Every value at once: what the settings panel keeps as it opens and puts back at
    // "Cancel" (the autostart flag included, the entry itself untouched).
    SettingsState snapshot() const;
    void restore(const SettingsState& state);

    const LanguageTable& getLanguages() const { return languages; }
    // The text in the chosen language, or the text itself.
    std::string translate(const std::string& text) const;

    // Every field back to its default; re-reads the autostart entry and the languages.
    // Does not save.
    void resetToDefaults();
    // Reads Settings.xml over the current values (called by the constructor).
    void load();
    // Writes Settings.xml with the window's current position: beside the old file first,
    // then renamed into place, so a failed write leaves the old file whole. Silent.
    void save();

    // Held by a thread other than the main one while it reads settings.
    std::unique_lock<std::recursive_mutex> lock() const { return std::unique_lock<std::recursive_mutex>(guard); }

protected:
    Settings();
    friend class Engine::Singleton<Settings>;

private:
    using Hold = std::lock_guard<std::recursive_mutex>;

    mutable std::recursive_mutex guard;
};
