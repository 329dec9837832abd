// kelvane check [DIR]: every problem of a data directory as file:line: message.
#include <iostream>

#include "check/data_check.h"
#include "check/data_set.h"
#include "commands.h"
#include "zone_format.h"

namespace kelvane::tool {

void AddCheckCommand(CLI::App &app, const Options &options, int *exitCode) {
    auto *cmd = app.add_subcommand("check", "Check a data directory; exit status 1 when it has errors");
    auto directory = std::make_shared<std::string>();
    cmd->add_option("dir", *directory, "data directory (default: the one --data selects)");
    cmd->callback([&options, directory, exitCode] {
        const std::filesystem::path dir = directory->empty() ? ResolveDataDirectory(options.data) : std::filesystem::path(*directory);
        Options checked = options;
        checked.data = dir.string();
        const int clockYear = DeviceUtc(*std::make_unique<Session>(checked)).wYear;
        const Problems problems = CheckDataDirectory(dir, clockYear, SystemTzdataVersion());
        if (options.json) {
            Json list = Json::array();
            for (const Problem &p : problems.List())
                list.push_back(Json{{"file", p.file}, {"line", p.line}, {"severity", p.error ? "error" : "warning"},
                                    {"message", p.message}});
            std::cout << Json{{"directory", dir.string()}, {"errors", problems.ErrorCount()}, {"problems", list}}.dump(2)
                      << '\n';
        } else {
            for (const Problem &p : problems.List()) std::cout << Format(p) << '\n';
            std::cout << dir.string() << ": " << problems.ErrorCount() << " error(s), "
                      << problems.List().size() - static_cast<std::size_t>(problems.ErrorCount()) << " warning(s)\n";
        }
        *exitCode = problems.ErrorCount() > 0 ? 1 : 0;
    });
}

}  // namespace kelvane::tool
