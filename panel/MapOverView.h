// The 160×120 picture of a server's current map: an "Image Unavailable" placeholder until
// the picture is found in the cache folder or downloaded from the map-image host.
//
// A map change fetches once on the calling thread and once more on a worker. The worker
// never draws and never reads the settings: it downloads and reads the file, and hands
// the decoded picture over under a lock; the main thread takes it at getSurface().
#pragma once

#include "engine/Surface.h"

#include <SDL.h>
#include <SDL_thread.h>

#include <mutex>
#include <string>

class MapOverView {
public:
    explicit MapOverView(bool game = true);
    virtual ~MapOverView();
    MapOverView(const MapOverView&) = delete;
    MapOverView& operator=(const MapOverView&) = delete;

    void setGame(bool value) { game = value; }
    bool getGame() const { return game; }
    void setMap(const std::string& name);
    // The picture to blit, with whatever the worker has finished taken in first.
    Engine::Surface& getSurface();
    const std::string& getMapName() const { return mapName; }
    bool isAvailable();
    void drawUnavailable();

    // The worker's entry; always 0.
    static int fetch(MapOverView* self);

    // Where a map's picture is cached, and the address it is downloaded from.
    static std::string cacheFile(const std::string& mapBase, bool game);
    static std::string resourcePath(const std::string& mapBase, bool game);

private:
    struct Result {
        std::string map;
        bool available = false;
        SDL_Surface* picture = nullptr; // decoded, not yet in the display format
        bool ready = false;
    };
    static Result fetchPicture(const std::string& mapBase, bool game);
    void apply(Result& result);
    void takeFinished();
    static int workerEntry(void* self);

    std::string mapName;
    SDL_Thread* worker = nullptr;
    Engine::Surface picture;
    bool available = false;
    bool game = true;

    std::mutex handOver; // guards `finished` and `workerMap`
    Result finished;
    std::string workerMap;
};
