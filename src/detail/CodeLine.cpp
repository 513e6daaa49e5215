#include "detail/CodeLine.h"

#include "entity/LineFormat.h"
#include "rubric/RubricCode.h"

namespace detail {

std::string Extraire_Champ(const std::string& text, std::int16_t n) {
    if (n < 1) return "";
    std::size_t start = 0;
    for (std::int16_t field = 1; field < n; ++field) {
        const std::size_t separator = text.find(entity::kCodeSeparator, start);
        if (separator == std::string::npos) return "";
        start = separator + 1;
    }
    return text.substr(start, text.find(entity::kCodeSeparator, start) - start);
}

std::optional<std::int32_t> Valeur_Code(const std::string& code) {
    return rubric::rubricCode(code);
}

}  // namespace detail
