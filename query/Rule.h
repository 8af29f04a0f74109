// One server rule (a console variable the server publishes): name and value.
#pragma once

#include <string>

class Rule {
public:
    Rule() = default;
    Rule(std::string name, std::string value) : name(std::move(name)), value(std::move(value)) {}

    const std::string& getName() const { return name; }
    void setName(const std::string& text) { name = text; }
    const std::string& getValue() const { return value; }
    void setValue(const std::string& text) { value = text; }

private:
    std::string name;
    std::string value;
};
