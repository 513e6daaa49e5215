// The help folder: the configured one or else the installed one, the pages found in it by a name
// that cannot leave it, and the installed page of the settings screen.
#include <fstream>

#include <gmock/gmock.h>

#include "TestSupport.h"
#include "platform/Utf8.h"
#include "platform/help/HelpErrors.h"
#include "platform/help/HelpFolder.h"
#include "support/Shell.h"

namespace {

using test_support::failureOf;
using ::testing::HasSubstr;

void write(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "<html></html>";
}

TEST(HelpFolder, IsTheConfiguredFolderOrElseTheInstalledOne) {
    ::unsetenv("OSTREVAN_HELP_DIR");
    const std::filesystem::path installed = help::helpFolder();
    EXPECT_TRUE(std::filesystem::is_directory(installed)) << installed;
    ::setenv("OSTREVAN_HELP_DIR", "/srv/aide", 1);
    EXPECT_EQ(help::helpFolder(), "/srv/aide");
    ::setenv("OSTREVAN_HELP_DIR", "", 1);
    EXPECT_EQ(help::helpFolder(), installed);
}

TEST(HelpFolder, FindsAPageInTheFolderOrASubfolderAndNoneMissingOrOutside) {
    test_support::TestFolder scratch("help");
    const std::filesystem::path folder = scratch.path() / "aide";
    write(folder / "Page.htm");
    write(folder / "images" / "ecran.htm");
    write(scratch.path() / "Dehors.htm");
    std::filesystem::create_directories(folder / "Dossier.htm");
    for (const std::string page : {"Page.htm", "images/ecran.htm"})
        EXPECT_EQ(help::findHelpPage(page, folder), folder / page);

    for (const auto& [page, number] : std::vector<std::pair<std::string, std::int32_t>>{
             {"Absente.htm", help::kErrNoSuchPage},
             {"Dossier.htm", help::kErrNoSuchPage},
             {"../Dehors.htm", help::kErrBadPageName},  // files that exist, outside the folder
             {"sous/../../Dehors.htm", help::kErrBadPageName},
             {(scratch.path() / "Dehors.htm").string(), help::kErrBadPageName},
             {"", help::kErrBadPageName},
         }) {
        const auto failure = failureOf([&] { help::findHelpPage(page, folder); });
        EXPECT_EQ(failure.number(), number) << page;
        // A missing page names the folder too; a refused name says where a page must be.
        const std::string why = number == help::kErrNoSuchPage
                                    ? "introuvable dans le dossier « " + folder.string() + " »"
                                    : "doit se trouver dans le dossier d'aide";
        EXPECT_THAT(failure.what(), HasSubstr("« " + page + " »"));
        EXPECT_THAT(failure.what(), HasSubstr(why)) << page;
    }
}

TEST(InstalledHelp, ThePageOfTheSettingsScreenIsUtf8AndNamesWhatTheScreenShows) {
    ::unsetenv("OSTREVAN_HELP_DIR");
    const std::string page = test_support::fileText(help::findHelpPage("TpsParamPaiePlg.htm"));
    for (std::size_t at = 0; at < page.size(); at += platform::decodeUtf8(page, at).length)
        ASSERT_NE(platform::decodeUtf8(page, at).length, 0u) << "no UTF-8 at byte " << at;
    const std::string title = "Paramètres de basculement du planning en saisie d'actvité";
    EXPECT_THAT(page, HasSubstr("<title>" + title + "</title>"));
    EXPECT_THAT(page, HasSubstr("<h1>" + title + "</h1>"));
    // One caption, one button and one message of the screen stand for the rest of the page.
    for (const char* text : {"<meta charset=\"utf-8\">", "Heures Fériées Travaillées",
                             "«&nbsp;Sortir&nbsp;»", "Voulez-vous enregistrer les modifications ?"})
        EXPECT_THAT(page, HasSubstr(text));
}

}  // namespace
