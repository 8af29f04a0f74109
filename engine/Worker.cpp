#include "engine/Worker.h"

#include <system_error>

namespace Engine {

bool Worker::start(std::function<void(const os::StopToken&)> work)
{
    if (thread.joinable())
        return true;
    token.reset();
    ended = std::make_shared<std::atomic<bool>>(false);
    try {
        thread = std::thread([work = std::move(work), stop = token, done = ended] {
            work(stop);
            done->store(true);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void Worker::stop()
{
    token.requestStop();
    if (thread.joinable() && thread.get_id() != std::this_thread::get_id())
        thread.join();
}

void Worker::abandon()
{
    token.requestStop();
    if (thread.joinable())
        thread.detach();
}

} // namespace Engine
