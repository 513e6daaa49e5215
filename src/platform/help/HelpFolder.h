// The installed help: the folder that holds the help pages, and the pages in it.
//
// - helpFolder(): the folder named by the environment variable OSTREVAN_HELP_DIR when it is set
//   and not empty; otherwise, for an installed library, the installed help folder, found from the
//   library's own folder; otherwise the help/ folder of the source tree this build was made from.
//   It is read anew at each call.
// - findHelpPage(page, folder): the file of the page in the folder. A page name is a path
//   relative to the folder ("TpsParamPaiePlg.htm", "images/ecran.png"), compared byte for byte.
// Failures (HelpErrors.h): kErrBadPageName for an empty name, an absolute path or a name with a
// ".." part (which could leave the folder); kErrNoSuchPage when the folder holds no such file.
// Nothing is read or changed on disk beyond asking whether the file exists.
#pragma once

#include <filesystem>
#include <string>

namespace help {

std::filesystem::path helpFolder();

std::filesystem::path findHelpPage(const std::string& page,
                                   const std::filesystem::path& folder = helpFolder());

}  // namespace help
