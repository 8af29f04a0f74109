// One entry of a server's player list: the slot index, the name, the score (shown as
// kills) and the time on the server in seconds.
#pragma once

#include <cstdint>
#include <string>

class Player {
public:
    Player() = default;
    Player(std::uint8_t index, std::string name, std::int32_t score, float duration)
        : index(index), name(std::move(name)), score(score), duration(duration)
    {
    }

    std::uint8_t getIndex() const { return index; }
    void setIndex(std::uint8_t value) { index = value; }
    const std::string& getName() const { return name; }
    void setName(const std::string& value) { name = value; }
    std::int32_t getScore() const { return score; }
    void setScore(std::int32_t value) { score = value; }
    float getDuration() const { return duration; }
    void setDuration(float value) { duration = value; }

    // The player list's order: higher score first, then the longer time on the server.
    bool ranksAbove(const Player& other) const
    {
        return score > other.score || (score == other.score && duration > other.duration);
    }

private:
    std::uint8_t index = 0;
    std::string name;
    std::int32_t score = 0;
    float duration = 0;
};
