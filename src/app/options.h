#pragma once

#include <optional>
#include <string>

namespace lec {

struct Options {
    bool help = false;
    bool headless = false;
    bool demo = false;
    std::string appFolder;
    std::string systemFolder;
    std::string script;
};

// nullopt (and `error` says why) for an unknown option or a missing value.
std::optional<Options> parseOptions(int argc, char** argv, std::string& error);
std::string usage();

}  // namespace lec
