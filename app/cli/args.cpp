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
        const bool inlineValue = eq != std::string::npos;
        if (inlineValue) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        if (options_.count(arg)) throw Error("Option " + arg + " is given twice");
        if (flags.count(arg)) {
            // "--summer=no" would read as summer time: a flag takes no value at all.
            if (inlineValue) throw Error("Option " + arg + " takes no value (leave it out for \"no\")");
            options_[arg];
            continue;
        }
        const auto m = multi.find(arg);
        const int count = m == multi.end() ? 1 : m->second;
        if (inlineValue) {
            if (count > 1) throw Error("Option " + arg + " takes " + std::to_string(count) + " values: give them after a blank");
            options_[arg].push_back(value);
            continue;
        }
        auto& slot = options_[arg];
        for (int k = 0; k < count; ++k) {
            // The next option is no value: "--lat 50 00 --lon ..." lacks the hemisphere.
            if (i + 1 >= argc || std::string(argv[i + 1]).rfind("--", 0) == 0)
                throw Error("Option " + arg + " needs " + (count == 1 ? std::string("a value") : std::to_string(count) + " values"));
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
