#include "detail/CodeLine.h"

#include <algorithm>

#include "entity/LineFormat.h"
#include "rubric/RubricCode.h"

namespace detail {

std::string Extraire_Champ(const std::string& text, std::int16_t n) {
    if (n < 1) return "";
    auto start = text.begin();
    for (std::int16_t field = 1; field < n; ++field) {
        start = std::find(start, text.end(), entity::kCodeSeparator);
        if (start == text.end()) return "";
        ++start;
    }
    return std::string(start, std::find(start, text.end(), entity::kCodeSeparator));
}

CodeFields codeFields(std::string_view line) {
    CodeFields fields;
    std::size_t start = 0;
    for (std::string_view& field : fields) {
        const std::size_t end = line.find(entity::kCodeSeparator, start);
        field = line.substr(start, end - start);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

std::optional<std::int32_t> Valeur_Code(const std::string& code) {
    return rubric::rubricCode(code);
}

}  // namespace detail
