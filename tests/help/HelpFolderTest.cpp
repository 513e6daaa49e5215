#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HelpTesting.h"
#include "platform/Utf8.h"
#include "platform/help/HelpErrors.h"
#include "platform/help/HelpFolder.h"

namespace {

using help::testing::failureOf;
using help::testing::HelpDirSetting;
using help::testing::ScratchFolder;

void write(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "<html></html>";
}

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool validUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); at += platform::decodeUtf8(text, at).length)
        if (platform::decodeUtf8(text, at).length == 0) return false;
    return true;
}

TEST(HelpFolder, IsTheConfiguredFolderOrElseTheInstalledOne) {
    const std::filesystem::path installed = [] {
        HelpDirSetting unset(std::nullopt);
        return help::helpFolder();
    }();
    EXPECT_TRUE(std::filesystem::is_directory(installed)) << installed;
    {
        HelpDirSetting set("/srv/aide");
        EXPECT_EQ(help::helpFolder(), "/srv/aide");
    }
    HelpDirSetting empty("");
    EXPECT_EQ(help::helpFolder(), installed);
}

TEST(HelpFolder, FindsAPageOfTheFolderOrOfOneOfItsSubfolders) {
    ScratchFolder folder;
    write(folder.path() / "Page.htm");
    write(folder.path() / "images" / "ecran.htm");

    EXPECT_EQ(help::findHelpPage("Page.htm", folder.path()), folder.path() / "Page.htm");
    EXPECT_EQ(help::findHelpPage("images/ecran.htm", folder.path()),
              folder.path() / "images" / "ecran.htm");
}

TEST(HelpFolder, AMissingPageFailsNamingThePageAndTheFolder) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder.path() / "Dossier.htm");

    for (const std::string page : {"Absente.htm", "Dossier.htm"}) {
        const auto error = failureOf([&] { help::findHelpPage(page, folder.path()); });
        EXPECT_EQ(error.number(), help::kErrNoSuchPage) << page;
        EXPECT_NE(std::string(error.what()).find("« " + page + " »"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find(folder.path().string()), std::string::npos);
    }
    const auto missingFolder =
        failureOf([&] { help::findHelpPage("Page.htm", folder.path() / "nulle-part"); });
    EXPECT_EQ(missingFolder.number(), help::kErrNoSuchPage);
}

TEST(HelpFolder, RefusesNamesThatLeaveTheFolderEvenWhenTheFileExists) {
    ScratchFolder scratch;
    const auto folder = scratch.path() / "aide";
    write(folder / "Page.htm");
    write(scratch.path() / "Dehors.htm");

    const std::vector<std::string> pages{"../Dehors.htm",
                                         "sous/../../Dehors.htm",
                                         "..",
                                         "",
                                         (scratch.path() / "Dehors.htm").string(),
                                         "/etc/passwd"};
    for (const std::string& page : pages) {
        const auto error = failureOf([&] { help::findHelpPage(page, folder); });
        EXPECT_EQ(error.number(), help::kErrBadPageName) << page;
        EXPECT_NE(std::string(error.what()).find("« " + page + " »"), std::string::npos);
    }
}

TEST(InstalledHelp, ThePageOfTheSettingsScreenIsUtf8AndNamesWhatTheScreenShows) {
    HelpDirSetting unset(std::nullopt);
    const std::string page = contents(help::findHelpPage("TpsParamPaiePlg.htm"));

    ASSERT_TRUE(validUtf8(page));
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    const std::string title = "Paramètres de basculement du planning en saisie d'actvité";
    EXPECT_NE(page.find("<title>" + title + "</title>"), std::string::npos);
    EXPECT_NE(page.find("<h1>" + title + "</h1>"), std::string::npos);
    for (const char* text : {"Entité juridique",
                             "Rubriques de saisie",
                             "Heures semaine",
                             "Heures dimanche",
                             "Heures Fériées Travaillées",
                             "Heures fériées",
                             "Heures 1er Mai",
                             "«&nbsp;Ajouter&nbsp;»",
                             "«&nbsp;Supprimer&nbsp;»",
                             "«&nbsp;OK&nbsp;»",
                             "«&nbsp;Annuler&nbsp;»",
                             "«&nbsp;Sortir&nbsp;»",
                             "Aide_QUORVEL",
                             "Cette entité juridique n'existe pas.",
                             "Cette rubrique n'est pas disponible.",
                             "Vous devez renseigner la rubrique d'heures semaine.",
                             "Etes vous sur(e) de vouloir annuler cet ajout ?",
                             "Etes vous sur(e) de vouloir supprimer cette ligne ?",
                             "Voulez-vous enregistrer les modifications ?",
                             "Aucun système de télégestion n'est activé."})
        EXPECT_NE(page.find(text), std::string::npos) << text;
}

}  // namespace
