#include "app/cli/args.h"

#include "common/error.h"

namespace korv::cli {

Args::Args(int argc, char** argv, const std::set<std::string>& flags, const std::map<std::string, int>& multi) {
    int i = 1;
    if (i < argc && std::string(argv[i]).rfind("--", 0) != 0) command_ = argv[i++];
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) throw Error("Unexpected argument: " + arg);
        std::string value;
        const auto eq = arg.find('=');
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            if (multi.count(arg)) throw Error("Option " + arg + " takes several values: give them after a blank");
            options_[arg].push_back(value);
            continue;
        }
        if (flags.count(arg)) {
            options_[arg];
            continue;
        }
        const auto m = multi.find(arg);
        const int count = m == multi.end() ? 1 : m->second;
        auto& slot = options_[arg];
        slot.clear();
        for (int k = 0; k < count; ++k) {
            if (i + 1 >= argc) throw Error("Option " + arg + " needs " + std::to_string(count) + " value(s)");
            slot.push_back(argv[++i]);
        }
    }
}

Args Args::fromOptions(std::string command, std::map<std::string, std::vector<std::string>> options) {
    Args a;
    a.command_ = std::move(command);
    a.options_ = std::move(options);
    return a;
}

bool Args::has(const std::string& option) const { return options_.count(option) > 0; }

std::string Args::value(const std::string& option, const std::string& fallback) const {
    const auto it = options_.find(option);
    if (it == options_.end() || it->second.empty()) return fallback;
    return it->second.front();
}

std::vector<std::string> Args::values(const std::string& option) const {
    const auto it = options_.find(option);
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

void Args::allowOnly(const std::set<std::string>& known) const {
    for (const auto& [name, v] : options_)
        if (!known.count(name)) throw Error("Unknown option for '" + command_ + "': " + name);
}

}  // namespace korv::cli
