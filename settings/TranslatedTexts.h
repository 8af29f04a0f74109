// Every English text that the program passes to Settings::translate, in one list. The
// shipped language files translate each of them (a test checks this, and that every literal
// text the code translates is listed here): add a text here, and to every file in
// data/files/*.lang, whenever code starts translating a new one.
#pragma once

namespace TranslatedTexts {

inline constexpr const char* all[] = {
    // The main panel's rows.
    "CS:Source",
    "CS:Go",
    "Join Game",
    "Status: online",
    "Status: offline",
    "Ping: ",
    "Map: ",
    "PasswordProtected: No",
    "PasswordProtected: Yes",
    "VAC Secure: Yes",
    "VAC Secure: No",
    "Bots: ",
    "Players: ",
    "players (names hidden by the server)",
    "No answer from <address>",
    "and <count> more",
    // The map picture's placeholder.
    "Image Unavailable",
    // The update check's question.
    "There is a new version of HolmikZiviza available",
    "Do you want to download it now?",
    "Update Available",
    // The broken Settings.xml message's way out.
    "Rename or delete it to start with the default settings.",
    // The settings panel: tabs and buttons.
    "Colors",
    "Visibility",
    "Miscellaneous",
    "Save",
    "Defaults",
    "Cancel",
    // The colour rows.
    "Background",
    "Text",
    "Link",
    "Map",
    "Good",
    "Bad",
    "Bot",
    "Admin",
    "Custom",
    "PlayerList",
    // The visibility check boxes.
    "Display",
    "Head",
    "Join",
    "Status",
    "Ping",
    "OverView",
    "Password",
    "VAC",
    "Bots",
    "Players",
    "Player Time",
    "Player Kills",
    "History",
    // The miscellaneous tab.
    "Custom Name",
    "Transparency 15-255",
    "Change",
    "Width 100-9999",
    "Font Size 5-16",
    "Player Font Size 5-16",
    "AutoStart With Windows",
    "Search For Updates",
    // The server addresses on the miscellaneous tab.
    "The address needs a host",
    "The port must be 1-65535",
    "No spaces in an address",
    // Desktop notifications ("<server>" and "<friend>" stand for the names).
    "<server> is offline",
    "<server> is back online",
    "A slot is free on <server>",
    "<friend> joined <server>",
    // Their part of the miscellaneous tab.
    "Notifications",
    "Offline and Online",
    "Free Slots",
    "Friends",
};

inline constexpr int count = static_cast<int>(sizeof all / sizeof all[0]);

} // namespace TranslatedTexts
