#include "tools/render/Scenes.h"

#include <array>
#include <sstream>
#include <string_view>

#include "tools/mvdb/Commands.h"

namespace render {

namespace {

// The entity shown: four lines, one of them a rubric kept under a short code.
constexpr std::string_view kEntity = "007";

void typeText(toolkit::User& user, toolkit::EditableWidget& widget, std::string_view text) {
    for (const char key : text)
        user.typeKey(widget, static_cast<toolkit::KeyCode>(key));
}

void nothing(Ctr_Ostrevan&, toolkit::User&) {}

void openEntity(Ctr_Ostrevan& control, toolkit::User& user) {
    typeText(user, control.Txt_Entite, kEntity);
}

// A new line, its weekday and Sunday rubrics typed by their codes.
void addLine(Ctr_Ostrevan& control, toolkit::User& user) {
    openEntity(control, user);
    user.click(control.Cmd_Ajouter);
    typeText(user, control.Txt_RubNorm, "111");
    typeText(user, control.Txt_RubDim, "104");
}

// The second line opened by a double click: its rubrics in the selectors, "Supprimer" offered.
void changeLine(Ctr_Ostrevan& control, toolkit::User& user) {
    openEntity(control, user);
    user.select(control.Lst_Detail, 1);
    user.doubleClick(control.Lst_Detail);
}

void removeEntities(const std::string& database) {
    std::ostringstream keys;
    mvdbtool::listKeys(database, "ASSOCIATION", keys);
    std::istringstream lines(keys.str());
    for (std::string key; std::getline(lines, key);)
        mvdbtool::deleteRecord(database, "ASSOCIATION", key);
}

constexpr std::array kScenes = {
    Scene{"startup-no-entity.png", 2, nullptr, nothing, nullptr},
    Scene{"entity-open-browse.png", 2, nullptr, openEntity, nullptr},
    Scene{"line-adding.png", 2, nullptr, addLine, nullptr},
    Scene{"line-changing.png", 2, nullptr, changeLine, nullptr},
    Scene{"read-only-level-1.png", 1, nullptr, openEntity, nullptr},
    Scene{"database-without-entity.png", 2, removeEntities, nothing,
          "Aucun système de télégestion n'est activé."},
};

}  // namespace

std::span<const Scene> scenes() {
    return kScenes;
}

}  // namespace render
