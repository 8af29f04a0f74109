// The 160×120 picture of a server's current map: an "Image Unavailable" placeholder until
// the picture is found in the cache folder or downloaded from the map-image host.
//
// A map change only looks in the cache on the calling thread (a cached picture shows at
// once); a missing picture is downloaded by the object's worker thread, which never draws
// and never reads the settings. The worker hands the decoded picture over under a lock and
// tells the panel with a user event (pictureEventCode); the main thread takes the picture
// at getSurface(). The frame loop never waits for the web.
//
// The map name comes from a stranger's server: the file base name is made from it by one
// rule (fileBase), so that nothing is created, loaded or deleted outside
// mapOverViews/<game>/.
#pragma once

#include "engine/Surface.h"
#include "engine/UserEvent.h"
#include "engine/Worker.h"

#include <SDL.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

class MapOverView {
public:
    // The code of the user event that says a download has finished.
    static constexpr int pictureEventCode = Engine::mapPictureEventCode;
    // Longer file base names have no picture.
    static constexpr std::size_t maxFileBaseLength = 64;

    explicit MapOverView(bool game = true);
    virtual ~MapOverView();
    MapOverView(const MapOverView&) = delete;
    MapOverView& operator=(const MapOverView&) = delete;

    void setGame(bool value) { game = value; }
    bool getGame() const { return game; }
    void setMap(const std::string& name);
    // The picture to blit, with whatever the worker has finished taken in first.
    Engine::Surface& getSurface();
    // The file base name of the current map; empty when it has no picture.
    const std::string& getMapName() const { return mapName; }
    bool isAvailable();
    void drawUnavailable();
    // True while the worker still has a download to do or to hand over (for tests).
    bool isFetching();

    // The file base name of a map as its server names it: the part after the last "/",
    // "$" and every byte outside A-Z a-z 0-9 _ - . as "_". Empty (no picture) when that is
    // empty, "." or "..", or longer than maxFileBaseLength.
    static std::string fileBase(const std::string& mapName);
    // Where a map's picture is cached, and the address it is downloaded from; both empty
    // for a base that fileBase would not give.
    static std::string cacheFile(const std::string& mapBase, bool game);
    static std::string resourcePath(const std::string& mapBase, bool game);
    // Whether Windows takes the file name for a device (CON, NUL, COM1, LPT1 and the like, in
    // any case, with any extension).
    static bool isDeviceName(const std::string& fileName);

private:
    struct Result {
        std::string map;
        bool available = false;
        SDL_Surface* picture = nullptr; // decoded, not yet in the display format
        bool ready = false;
    };
    // What the object and its worker share; it stays with the worker when the object goes
    // during a download.
    struct Shared {
        std::mutex lock;
        std::condition_variable wake;
        std::string wanted; // the map the worker is to fetch next; empty for none
        bool wantedGame = true;
        bool busy = false;
        bool abandoned = false;
        Result finished;
    };
    static Result loadCached(const std::string& mapBase, bool game);
    static void download(const std::string& mapBase, bool game);
    static void work(std::shared_ptr<Shared> shared);
    void apply(Result& result);
    void takeFinished();

    std::string mapName;
    std::shared_ptr<Shared> shared;
    Engine::Worker worker; // started at the first download
    Engine::Surface picture;
    bool available = false;
    bool game = true;
};
