#include "panel/MapOverView.h"

#include "engine/Directory.h"
#include "engine/TextSurface.h"
#include "engine/UserEvent.h"
#include "http/HttpClient.h"
#include "os/FileSystem.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"

#include <SDL_image.h>

MapOverView::MapOverView(bool game) : shared(std::make_shared<Shared>()), picture(160, 120), game(game)
{
    drawUnavailable();
}

MapOverView::~MapOverView()
{
    if (!worker.isRunning())
        return;
    bool busy;
    {
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->abandoned = true;
        busy = shared->busy;
        if (shared->finished.picture)
            SDL_FreeSurface(shared->finished.picture);
        shared->finished = Result();
    }
    shared->wake.notify_all();
    // A download in progress is not waited for: the worker keeps the shared part, drops
    // what it fetched and ends by itself, touching nothing of this object.
    if (busy)
        worker.abandon();
    else
        worker.stop();
}

void MapOverView::drawUnavailable()
{
    Settings& settings = Settings::instance();
    picture.fill(settings.getBackgroundColor());
    Engine::TextSurface text(settings.translate("Image Unavailable"), settings.getFont(), settings.getFontSize(),
                             settings.getTextColor());
    picture.blit(picture.getWidth() / 2 - text.getWidth() / 2, picture.getHeight() / 2 - text.getHeight() / 2, text);
}

std::string MapOverView::fileBase(const std::string& mapName)
{
    const std::string::size_type slash = mapName.rfind('/');
    std::string base = slash == std::string::npos ? mapName : mapName.substr(slash + 1);
    if (base.empty() || base == "." || base == ".." || base.size() > maxFileBaseLength)
        return {};
    for (char& c : base) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                          c == '-' || c == '.';
        if (!kept)
            c = '_'; // "$" included
    }
    return base;
}

bool MapOverView::isDeviceName(const std::string& fileName)
{
    // Windows (before 11) opens a device for these names, whatever follows the first dot.
    std::string stem = fileName.substr(0, fileName.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '0' &&
           stem[3] <= '9';
}

std::string MapOverView::cacheFile(const std::string& mapBase, bool game)
{
    if (mapBase.empty() || fileBase(mapBase) != mapBase)
        return {};
    // The cache root is the data folder: the current directory, or its "data" folder when
    // it has one (found without changing the process's current directory).
    Directory root = currentDirectory();
    const std::string inner = joinPath(root.getPath(), "data");
    if (os::isDirectory(inner))
        root = Directory(inner);
    Directory folder = root.createSubdirectory("mapOverViews").createSubdirectory(game ? "csgo" : "css");
    // A map named like a device keeps its picture under a name that is no device's.
    return joinPath(folder.getPath(), (isDeviceName(mapBase) ? "_" : "") + mapBase + ".jpg");
}

std::string MapOverView::resourcePath(const std::string& mapBase, bool game)
{
    if (mapBase.empty() || fileBase(mapBase) != mapBase)
        return {};
    return std::string("/images/maps/160x120/") + (game ? "csgo/" : "css/") + mapBase + ".jpg";
}

MapOverView::Result MapOverView::loadCached(const std::string& mapBase, bool game)
{
    Result result;
    result.map = mapBase;
    result.ready = true;
    const std::string file = cacheFile(mapBase, game);
    if (file.empty() || !fileExists(file))
        return result;
    result.available = true;
    result.picture = IMG_Load(file.c_str());
    if (!result.picture || result.picture->w <= 1) {
        // Not a picture: gone, so that the next fetch downloads it again.
        if (result.picture)
            SDL_FreeSurface(result.picture);
        result.picture = nullptr;
        deleteFile(file);
    }
    return result;
}

void MapOverView::download(const std::string& mapBase, bool game)
{
    const std::string file = cacheFile(mapBase, game);
    const std::string path = resourcePath(mapBase, game);
    if (file.empty() || path.empty() || fileExists(file))
        return; // an earlier request for the same map has brought it already
    // The picture moves into the cache whole (the client writes it beside its place first),
    // so that a download cut off, or a program ended during one, leaves nothing there.
    HttpClient client(serverHosts().mapHost);
    client.getToFile(path, file, HttpOptions::mapPicture());
}

void MapOverView::work(std::shared_ptr<Shared> shared)
{
    std::unique_lock<std::mutex> hold(shared->lock);
    for (;;) {
        shared->wake.wait(hold, [&] { return shared->abandoned || !shared->wanted.empty(); });
        if (shared->abandoned)
            return;
        const std::string map = shared->wanted;
        const bool game = shared->wantedGame;
        shared->wanted.clear();
        shared->busy = true;
        hold.unlock();

        download(map, game);
        hold.lock();
        if (shared->abandoned)
            return; // the panel has gone, perhaps the whole program: nothing is loaded
        hold.unlock();
        Result result = loadCached(map, game);

        hold.lock();
        shared->busy = false;
        if (shared->abandoned) {
            if (result.picture)
                SDL_FreeSurface(result.picture);
            return;
        }
        if (shared->finished.picture)
            SDL_FreeSurface(shared->finished.picture);
        shared->finished = result;
        // Wakes the frame loop; the panel rebuilds and takes the picture at getSurface().
        Engine::pushUserEvent(pictureEventCode, nullptr, nullptr);
    }
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
        std::lock_guard<std::mutex> hold(shared->lock);
        if (!shared->finished.ready)
            return;
        taken = shared->finished;
        shared->finished = Result();
    }
    apply(taken);
}

void MapOverView::setMap(const std::string& name)
{
    if (name.empty())
        return;
    const std::string base = fileBase(name);
    if (base == mapName)
        return;
    drawUnavailable();
    mapName = base;
    available = false;
    if (base.empty())
        return; // a name that cannot be a file: the placeholder stays

    // The foreground only looks in the cache; a picture found there shows in this rebuild.
    Result cached = loadCached(mapName, game);
    const bool shown = cached.picture != nullptr;
    apply(cached);
    if (shown)
        return;
    available = false;

    {
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->wanted = mapName;
        shared->wantedGame = game;
        if (shared->finished.picture)
            SDL_FreeSurface(shared->finished.picture);
        shared->finished = Result(); // an older map's result is dropped
    }
    if (!worker.isRunning())
        worker.start([shared = shared](const os::StopToken&) { work(shared); });
    else
        shared->wake.notify_one();
}

bool MapOverView::isFetching()
{
    std::lock_guard<std::mutex> hold(shared->lock);
    return shared->busy || !shared->wanted.empty() || shared->finished.ready;
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
