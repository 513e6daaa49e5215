#include "tools/mvdb/SampleData.h"

#include <array>
#include <string_view>

#include "data/ParameterRecord.h"
#include "platform/mvdb/DynArray.h"

namespace mvdbtool {
namespace {

// The attributes of an entity that the sample fills.
constexpr int kEntityNameAttribute = 1;
constexpr int kEntityStreetAttribute = 2;
constexpr int kEntityPostcodeAttribute = 3;
constexpr int kEntityTownAttribute = 4;
constexpr int kEntitySiretAttribute = 5;
constexpr int kEntityTimeRecordingAttribute = 38;

// The attributes of a rubric that the sample fills.
constexpr int kRubricLabelAttribute = 1;
constexpr int kRubricTypeAttribute = 2;
constexpr int kRubricClosedOnAttribute = 18;

// The bookkeeping attributes of a parameter record, which the screen keeps as they are.
constexpr int kChangedOnAttribute = 1;
constexpr int kChangedByAttribute = 2;
constexpr int kCommentAttribute = 3;
constexpr int kCreatedOnAttribute = 4;

struct Entity {
    std::string_view code;
    std::string_view name;
    std::string_view street;
    std::string_view postcode;
    std::string_view town;
    std::string_view siret;
    std::string_view timeRecording;
};

constexpr std::array kEntities = {
    Entity{"001", "Aide à Domicile du Val d'Ormelune", "12 rue des Tisserands", "59870", "Ormelune",
           "52601815908301", "Horodom"},
    Entity{"002", "Présence et Services de Vauzanges", "4 place de la Halle", "62140", "Vauzanges",
           "66131860913909", "Chronovisite"},
    Entity{"005", "Association Trémonvaloise de Soins et d'Aide à Domicile",
           "27 avenue des Peupliers", "59230", "Trémonval", "82199351819093", "Horodom"},
    Entity{"007", "Domicile Plus Cassignac", "3 impasse du Moulin", "80120", "Cassignac",
           "78657975432319", "Télépointe"},
    Entity{"012", "Entraide Rurale de Lanvézec", "Le Bourg", "22310", "Lanvézec", "48757491186252",
           "Badgéo"},
    Entity{"020", "Services à la Personne de Montferlieu", "18 boulevard Carnot", "62400",
           "Montferlieu", "76018955597971", "Chronovisite"},
    Entity{"031", "Aide Familiale de Roche-Aubertine", "9 chemin des Vignes", "26150",
           "Roche-Aubertine", "14710497465075", "Horodom"},
    Entity{"045", "Soins à Domicile de Quillanne", "45 rue de l'Église", "11500", "Quillanne",
           "29170342366712", "Télépointe"},
    Entity{"060", "Les Coteaux de Vérosse", "2 route de la Fontaine", "33540", "Vérosse",
           "76842684656321", "Badgéo"},
    Entity{"078", "Portage et Accompagnement Bellerive", "61 quai des Mariniers", "45190",
           "Bellerive-sur-Ondine", "22330792440268", "Horodom"},
    Entity{"100", "Fédération Ormelune-Vauzanges", "12 rue des Tisserands", "59870", "Ormelune",
           "59952890786666", "Chronovisite"},
    Entity{"112", "Accueil et Répit de Saint-Orbain", "7 allée des Tilleuls", "71320",
           "Saint-Orbain", "17603137215901", "Télépointe"},
};

struct Rubric {
    std::string_view code;
    std::string_view label;
    std::string_view type;
    std::string_view closedOn = "";
};

constexpr std::array kRubrics = {
    Rubric{"007", "Heures d'évaluation à domicile", "3"},
    Rubric{"101", "Heures normales", "3"},
    Rubric{"102", "Heures normales d'intervention", "3"},
    Rubric{"103", "Heures dimanche", "4"},
    Rubric{"104", "Heures dimanche majorées 25 %", "4"},
    Rubric{"105", "Heures dimanche majorées 45 %", "4"},
    Rubric{"106", "Heures fériées travaillées", "4"},
    Rubric{"107", "Heures fériées travaillées majorées 100 %", "4"},
    Rubric{"108", "Heures fériées chômées payées", "5"},
    Rubric{"109", "Heures 1er mai", "4"},
    Rubric{"110", "Heures 1er mai travaillées majorées 100 %", "4"},
    Rubric{"111", "Heures de nuit", "3"},
    Rubric{"112", "Heures de nuit majorées 10 %", "3"},
    Rubric{"113", "Heures complémentaires 10 %", "3"},
    Rubric{"114", "Heures complémentaires 25 %", "3"},
    Rubric{"115", "Heures supplémentaires 25 %", "3"},
    Rubric{"116", "Heures supplémentaires 50 %", "3"},
    Rubric{"117", "Astreinte week-end", "6"},
    Rubric{"118", "Astreinte semaine", "6"},
    Rubric{"119", "Heures d'intervention sous astreinte", "4"},
    Rubric{"120", "Heures de déplacement entre deux interventions", "3"},
    Rubric{"121", "Heures de formation", "5"},
    Rubric{"122", "Heures de réunion d'équipe", "3"},
    Rubric{"123", "Heures de coordination", "3"},
    Rubric{"124", "Heures samedi", "3"},
    Rubric{"125", "Heures fériées non travaillées", "5"},
    Rubric{"126", "Heures de présence de nuit", "5"},
    Rubric{"127", "Heures d'accompagnement transport", "3"},
    Rubric{"128", "Heures de délégation", "5"},
    Rubric{"129", "Heures de tutorat", "3"},
    Rubric{"130", "Heures de veille responsable", "5"},
    Rubric{"131", "Heures normales", "3"},
    Rubric{"132", "Heures dimanche (ancienne grille)", "4", "31/12/2024"},
    Rubric{"133", "Heures fériées (ancienne grille)", "4", "31/12/2023"},
    Rubric{"134", "Heures de nuit (accord 2019)", "3", "31/12/2024"},
    Rubric{"135", "Indemnité kilométrique", "1"},
    Rubric{"136", "Indemnité de repas", "2"},
    Rubric{"137", "Prime de dimanche", "1"},
    Rubric{"138", "Frais de téléphone", "2"},
    Rubric{"139", "Congés payés pris", "6"},
    Rubric{"140", "Absence maladie", "6"},
    Rubric{"201", "Prime d'astreinte forfaitaire", "1"},
    Rubric{"250", "Élément variable horaire", "3"},
    Rubric{"310", "Heures de garde itinérante de nuit", "5"},
    Rubric{"999", "Rubrique de régularisation", "6"},
};

// One line of an entity's parameters: the rubric code of each kind of hours, "" for none.
struct ParameterLine {
    std::string_view weekday;
    std::string_view sunday = "";
    std::string_view mayDay = "";
    std::string_view workedHoliday = "";
    std::string_view holiday = "";
};

struct EntityParameters {
    std::string_view entity;
    std::string_view changedOn;
    std::string_view changedBy;
    std::string_view comment;
    std::string_view createdOn;
    std::vector<ParameterLine> lines;
};

std::vector<EntityParameters> entityParameters() {
    return {
        {"001",
         "14/03/2025",
         "PAIE01",
         "Grille 2025 : majorations du dimanche à 25 %",
         "02/01/2023",
         {{.weekday = "101",
           .sunday = "104",
           .mayDay = "110",
           .workedHoliday = "107",
           .holiday = "108"},
          {.weekday = "111",
           .sunday = "105",
           .mayDay = "110",
           .workedHoliday = "107",
           .holiday = "108"},
          {.weekday = "113"}}},
        {"005",
         "06/01/2025",
         "ADM02",
         "",
         "06/01/2025",
         {{.weekday = "101",
           .sunday = "103",
           .mayDay = "109",
           .workedHoliday = "106",
           .holiday = "125"}}},
        {"007",
         "28/11/2024",
         "PAIE03",
         "Ajout des déplacements et des évaluations",
         "15/09/2021",
         {{.weekday = "101",
           .sunday = "104",
           .mayDay = "109",
           .workedHoliday = "106",
           .holiday = "108"},
          {.weekday = "111",
           .sunday = "105",
           .mayDay = "110",
           .workedHoliday = "107",
           .holiday = "125"},
          {.weekday = "120"},
          {.weekday = "007"}}},
        {"020",
         "03/02/2025",
         "PAIE01",
         "Reprise des paramètres de l'ancienne grille",
         "11/05/2022",
         {{.weekday = "131",
           .sunday = "103",
           .mayDay = "109",
           .workedHoliday = "106",
           .holiday = "125"},
          {.weekday = "124", .sunday = "103"}}},
        {"100",
         "20/06/2024",
         "ADM01",
         "Siège : heures d'intervention seules",
         "20/06/2024",
         {{.weekday = "102"}}},
    };
}

Record entityRecord(const Entity& entity) {
    mvdb::DynArray record;
    record.Assign(kEntityNameAttribute, entity.name);
    record.Assign(kEntityStreetAttribute, entity.street);
    record.Assign(kEntityPostcodeAttribute, entity.postcode);
    record.Assign(kEntityTownAttribute, entity.town);
    record.Assign(kEntitySiretAttribute, entity.siret);
    record.Assign(kEntityTimeRecordingAttribute, entity.timeRecording);
    return {std::string(entity.code), record.Extract(), std::nullopt};
}

Record rubricRecord(const Rubric& rubric) {
    mvdb::DynArray record;
    record.Assign(kRubricLabelAttribute, rubric.label);
    record.Assign(kRubricTypeAttribute, rubric.type);
    if (!rubric.closedOn.empty()) record.Assign(kRubricClosedOnAttribute, rubric.closedOn);
    return {std::string(rubric.code), record.Extract(), std::nullopt};
}

// Line n of the lines is value n of each rubric attribute; a kind without rubric on that line
// keeps an empty value in its place.
Record parameterRecord(const EntityParameters& parameters) {
    mvdb::DynArray record;
    record.Assign(kChangedOnAttribute, parameters.changedOn);
    record.Assign(kChangedByAttribute, parameters.changedBy);
    record.Assign(kCommentAttribute, parameters.comment);
    record.Assign(kCreatedOnAttribute, parameters.createdOn);
    int n = 0;
    for (const ParameterLine& line : parameters.lines) {
        ++n;
        record.Replace(data::kWeekdayAttribute, n, 0, line.weekday);
        record.Replace(data::kSundayAttribute, n, 0, line.sunday);
        record.Replace(data::kMayDayAttribute, n, 0, line.mayDay);
        record.Replace(data::kWorkedHolidayAttribute, n, 0, line.workedHoliday);
        record.Replace(data::kHolidayAttribute, n, 0, line.holiday);
    }
    return {std::string(parameters.entity), record.Extract(), std::nullopt};
}

template <class Rows, class ToRecord>
std::vector<Record> recordsOf(const Rows& rows, ToRecord toRecord) {
    std::vector<Record> records;
    records.reserve(rows.size());
    for (const auto& row : rows)
        records.push_back(toRecord(row));
    return records;
}

}  // namespace

std::vector<RecordFile> sampleFiles() {
    return {
        {std::string(data::kEntityFile), recordsOf(kEntities, entityRecord), {}},
        {std::string(data::kRubricFile), recordsOf(kRubrics, rubricRecord), {}},
        {std::string(data::kParameterFile), recordsOf(entityParameters(), parameterRecord), {}},
    };
}

}  // namespace mvdbtool
