#include "panel/MapOverView.h"

#include "engine/Directory.h"
#include "engine/TextSurface.h"
#include "http/HttpClient.h"
#include "os/FileSystem.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"

#include <SDL_image.h>

#include <algorithm>

MapOverView::MapOverView(bool game) : picture(160, 120), game(game) { drawUnavailable(); }

MapOverView::~MapOverView()
{
    // The worker may still touch this object: it goes only after the worker has ended.
    if (worker)
        SDL_WaitThread(worker, nullptr);
    if (finished.picture)
        SDL_FreeSurface(finished.picture);
}

void MapOverView::drawUnavailable()
{
    Settings& settings = Settings::instance();
    picture.fill(settings.getBackgroundColor());
    Engine::TextSurface text(settings.translate("Image Unavailable"), settings.getFont(), settings.getFontSize(),
                             settings.getTextColor());
    picture.blit(picture.getWidth() / 2 - text.getWidth() / 2, picture.getHeight() / 2 - text.getHeight() / 2, text);
}

std::string MapOverView::cacheFile(const std::string& mapBase, bool game)
{
    // The cache root is the data folder: the current directory, or its "data" folder when
    // it has one (found without changing the process's current directory).
    Directory root = currentDirectory();
    const std::string inner = joinPath(root.getPath(), "data");
    if (os::isDirectory(inner))
        root = Directory(inner);
    Directory folder = root.createSubdirectory("mapOverViews").createSubdirectory(game ? "csgo" : "css");
    return joinPath(folder.getPath(), mapBase + ".jpg");
}

std::string MapOverView::resourcePath(const std::string& mapBase, bool game)
{
    return std::string("/images/maps/160x120/") + (game ? "csgo/" : "css/") + mapBase + ".jpg";
}

MapOverView::Result MapOverView::fetchPicture(const std::string& mapBase, bool game)
{
    Result result;
    result.map = mapBase;
    result.ready = true;
    const std::string file = cacheFile(mapBase, game);
    if (!fileExists(file)) {
        HttpClient client(serverHosts().mapHost);
        result.available = client.getToFile(resourcePath(mapBase, game), file, HttpOptions::mapPicture());
    } else {
        result.available = true;
    }
    if (result.available) {
        result.picture = IMG_Load(file.c_str());
        if (!result.picture || result.picture->w <= 1) {
            // Not a picture: gone, so that the next map change downloads it again.
            if (result.picture)
                SDL_FreeSurface(result.picture);
            result.picture = nullptr;
            deleteFile(file);
        }
    }
    return result;
}

void MapOverView::apply(Result& result)
{
    if (result.map != mapName) {
        if (result.picture)
            SDL_FreeSurface(result.picture);
        return; // a result for a map that is no longer shown
    }
    available = result.available;
    if (result.picture) {
        Engine::Surface loaded = Engine::Surface::adopt(result.picture);
        Engine::Surface converted = Engine::Surface::displayFormat(loaded);
        picture = converted.isEmpty() ? loaded : converted;
    } else if (result.available) {
        drawUnavailable();
    }
    result.picture = nullptr;
}

void MapOverView::takeFinished()
{
    Result taken;
    {
        std::lock_guard<std::mutex> hold(handOver);
        if (!finished.ready)
            return;
        taken = finished;
        finished = Result();
    }
    apply(taken);
}

int MapOverView::fetch(MapOverView* self)
{
    std::string map;
    bool game;
    {
        std::lock_guard<std::mutex> hold(self->handOver);
        map = self->workerMap;
        game = self->game;
    }
    Result result = fetchPicture(map, game);
    std::lock_guard<std::mutex> hold(self->handOver);
    if (self->finished.picture)
        SDL_FreeSurface(self->finished.picture);
    self->finished = result;
    return 0;
}

int MapOverView::workerEntry(void* self) { return fetch(static_cast<MapOverView*>(self)); }

void MapOverView::setMap(const std::string& name)
{
    std::string base = name;
    std::replace(base.begin(), base.end(), '$', '_');
    if (name.empty() || base == mapName)
        return;
    drawUnavailable();
    mapName = base;
    available = false;

    Result now = fetchPicture(mapName, game);
    apply(now);

    if (worker) {
        SDL_WaitThread(worker, nullptr);
        worker = nullptr;
        takeFinished(); // the old worker's result is for an old map and is dropped
    }
    {
        std::lock_guard<std::mutex> hold(handOver);
        workerMap = mapName;
    }
    worker = SDL_CreateThread(&MapOverView::workerEntry, this);
}

Engine::Surface& MapOverView::getSurface()
{
    takeFinished();
    return picture;
}

bool MapOverView::isAvailable()
{
    takeFinished();
    return available;
}
