// What assistive technology reads of the settings screen in its window: Qt's accessibility
// interfaces walked from the surface widget down, as a screen reader walks them.
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/qt/SurfaceWidget.h"
#include "qt/QtTesting.h"
#include "screen/Screen.h"

namespace {

struct Announced {
    QAccessible::Role role;
    QString name;
    QString description;
    bool operator==(const Announced&) const = default;
};

void PrintTo(const Announced& announced, std::ostream* out) {
    *out << "role " << announced.role << " \"" << announced.name.toStdString() << "\" \""
         << announced.description.toStdString() << '"';
}

constexpr auto kLabel = QAccessible::StaticText;
constexpr auto kText = QAccessible::EditableText;
constexpr auto kCombo = QAccessible::ComboBox;
constexpr auto kButton = QAccessible::PushButton;

const std::map<QString, Announced> kAnnounced = {
    {"Etq_Entite", {kLabel, "Entité juridique", ""}},
    {"Txt_Entite", {kText, "Entité juridique, code", ""}},
    {"Cbo_Entite", {kCombo, "Entité juridique, nom", ""}},
    {"Cdr_RubHeures", {QAccessible::Grouping, "Rubriques de saisie", ""}},
    {"Cmd_Ok", {kButton, "OK", "Enregistrer les lignes de l'entité"}},
    {"Cmd_Annuler", {kButton, "Annuler", "Abandonner les modifications de l'entité"}},
    {"Cmd_Sortir", {kButton, "Sortir", ""}},
    {"Etq_RubNorm", {kLabel, "Heures semaine", ""}},
    {"Etq_RubDim", {kLabel, "Heures dimanche", ""}},
    {"Etq_RubJF", {kLabel, "Heures Fériées Travaillées", ""}},
    {"Etq_RubJFNonTrav", {kLabel, "Heures fériées", ""}},
    {"Etq_Rub1Mai", {kLabel, "Heures 1er Mai", ""}},
    {"Lst_Detail", {QAccessible::List, "Lignes de l'entité", ""}},
    {"Txt_RubNorm", {kText, "Heures semaine, code", ""}},
    {"Cbo_RubNorm", {kCombo, "Heures semaine, rubrique", ""}},
    {"Txt_RubDim", {kText, "Heures dimanche, code", ""}},
    {"Cbo_RubDim", {kCombo, "Heures dimanche, rubrique", ""}},
    {"Txt_RubJF", {kText, "Heures Fériées Travaillées, code", ""}},
    {"Cbo_RubJF", {kCombo, "Heures Fériées Travaillées, rubrique", ""}},
    {"Txt_RubJFNonTrav", {kText, "Heures fériées, code", ""}},
    {"Cbo_RubJFNonTrav", {kCombo, "Heures fériées, rubrique", ""}},
    {"Txt_Rub1Mai", {kText, "Heures 1er Mai, code", ""}},
    {"Cbo_Rub1Mai", {kCombo, "Heures 1er Mai, rubrique", ""}},
    {"Cmd_Ajouter", {kButton, "Ajouter", ""}},
    {"Cmd_Supprimer", {kButton, "Supprimer", ""}},
    {"Cmd_OkDetail", {kButton, "OK", "Valider la ligne"}},
    {"Cmd_AnnulerDetail", {kButton, "Annuler", "Abandonner la saisie de la ligne"}},
};

// A line of Lst_Detail: the five rubric columns, each filled with spaces to its width.
std::string line(const std::vector<std::string>& columns) {
    std::string text;
    for (const std::string& column : columns) {
        text += column;
        text.append(screen::kLineColumnWidth - QString::fromStdString(column).size(), ' ');
    }
    return text;
}

// Everything the walk met: the widgets of the screen by their Qt object names, whether invisible
// to assistive technology, and the rows of the lines as read aloud.
struct Walk {
    std::map<QString, Announced> announced;
    std::map<QString, bool> invisible;
    std::vector<QString> rows;
};

void walk(QAccessibleInterface& node, Walk& met) {
    const QString name = node.object() != nullptr ? node.object()->objectName() : QString();
    if (!name.isEmpty()) {
        met.announced[name] = {node.role(), node.text(QAccessible::Name),
                               node.text(QAccessible::Description)};
        met.invisible[name] = node.state().invisible;
    }
    for (int i = 0; i < node.childCount(); ++i) {
        QAccessibleInterface* child = node.child(i);
        ASSERT_NE(child, nullptr) << name.toStdString() << " " << i;
        if (name == "Lst_Detail" && child->role() == QAccessible::ListItem)
            met.rows.push_back(child->text(QAccessible::Name));
        walk(*child, met);
    }
}

class Accessibility : public testing::Test {
protected:
    Accessibility() {
        screen.Lst_Detail.AddItem(line({"101-Heures normales", "104-Heures dimanche", "", "", ""}));
        screen.Lst_Detail.AddItem(line({"111-Nuit", "", "", "", "110-Mai"}));
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        QApplication::processEvents();  // the rows are shown from the event loop
    }

    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen screen{surface};
    qtview::SurfaceWidget view{surface};
};

TEST_F(Accessibility, EveryWidgetIsNamedFromTheScreenTheLinesReadAsRubricsAndDecorationsAreNot) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(window, nullptr);
    Walk met;
    walk(*window, met);

    for (const auto& [name, expected] : kAnnounced) {
        EXPECT_EQ(met.announced[name], expected) << name.toStdString();
        EXPECT_FALSE(met.invisible[name]) << name.toStdString();
    }
    for (const QString name : {"Lst_Codes", "Cache(4)", "Cache(5)", "Cache(6)", "Cache(7)"})
        EXPECT_TRUE(met.invisible.at(name)) << name.toStdString();
    EXPECT_EQ(met.announced.size(), kAnnounced.size() + 5);

    EXPECT_EQ(met.rows,
              (std::vector<QString>{
                  "Heures semaine 101-Heures normales, Heures dimanche 104-Heures dimanche",
                  "Heures semaine 111-Nuit, Heures 1er Mai 110-Mai"}));
}

}  // namespace
