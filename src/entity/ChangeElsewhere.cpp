// The open entity changed by another user: the clerk who starts to change it is told at once when
// its record was saved or deleted elsewhere since it was opened here (or created, when it had
// none), since his save would then be refused.
#include <array>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>

#include "control/Ctr_Ostrevan_p.h"
#include "platform/mvdb/DbError.h"
#include "screen/Messages.h"

namespace {

// The moment in the machine's local time, as the message says it: "le 08/12/2026 à 21:14".
std::string localMoment(std::chrono::sys_time<std::chrono::microseconds> time) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
    std::tm local{};
    ::localtime_r(&seconds, &local);
    std::array<char, 32> text{};
    return std::string(text.data(),
                       std::strftime(text.data(), text.size(), "le %d/%m/%Y à %H:%M", &local));
}

std::string changedElsewhere(const std::string& entity, const mvdb::Store::Change& change) {
    return "Les paramètres de l'entité juridique " + entity + " ont été " +
           (change.deleted ? "supprimés" : "enregistrés") + " par " + change.user + " " +
           localMoment(change.time) +
           ", depuis que vous avez ouvert l'entité. Vos modifications seraient refusées à "
           "l'enregistrement : cliquez sur « Annuler » puis rouvrez l'entité pour repartir de son "
           "état enregistré.";
}

}  // namespace

void Ctr_Ostrevan::warnOfChangeElsewhere() {
    if (!mEnrParam) return;
    std::optional<mvdb::Store::Change> change;
    try {
        change = mEnrParam->ChangeSinceRead();
    } catch (const platform::ComponentError&) {
        return;  // the save says what the database answers
    }
    if (!change) return;
    const ChangeTold told{change->version, change->deleted};
    if (told == mChangementSignale) return;
    mChangementSignale = told;
    MsgBox(messages::avertissement(changedElsewhere(mEnrParam->Key(), *change)));
}
