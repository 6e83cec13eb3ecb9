// `korvinaut-cli prepare-folder --from TREE --to DIR [--copy]`: makes or updates a
// user's program folder DIR from the installed program tree TREE (app/user_folder.h).
// The launchers run it before every start; what the user should know goes to stderr.
#include <cstdio>

#include "app/cli/args.h"
#include "app/cli/commands.h"
#include "app/user_folder.h"
#include "common/error.h"

namespace korv::cli {

int RunPrepareFolder(int argc, char** argv) {
    const Args args(argc, argv, {"--copy"});
    args.allowOnly({"--from", "--to", "--copy"});
    if (!args.has("--from") || !args.has("--to")) throw Error("prepare-folder: give --from TREE and --to DIR");
    const auto notes = PrepareUserFolder(args.value("--from"), args.value("--to"),
                                         args.has("--copy") ? TreeLinks::Copy : TreeLinks::Link);
    for (const std::string& note : notes) std::fprintf(stderr, "korvinaut: %s\n", note.c_str());
    return 0;
}

}  // namespace korv::cli
