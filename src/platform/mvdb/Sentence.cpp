#include "platform/mvdb/Sentence.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <initializer_list>

#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

struct Word {
    std::string text;     // the value itself for a quoted word, without its quotes
    std::string written;  // as the sentence has it, quotes included, for the error texts
    bool quoted = false;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

[[noreturn]] void failWhere(const std::string& where, const std::string& expected) {
    throw platform::ComponentError(
        kErrSentence, "Phrase de sélection incorrecte " + where + " : " + expected + ".");
}

[[noreturn]] void failAt(std::size_t index, const std::string& written,
                         const std::string& expected) {
    failWhere("au mot " + std::to_string(index + 1) + " (« " + written + " »)", expected);
}

std::vector<Word> splitWords(std::string_view text) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size()) return words;
        const char quote = text[i];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = text.find(quote, i + 1);
            if (end == std::string_view::npos) {
                failAt(words.size(), std::string(text.substr(i)), "le guillemet n'est pas fermé");
            }
            words.push_back({std::string(text.substr(i + 1, end - i - 1)),
                             std::string(text.substr(i, end - i + 1)), true});
            i = end + 1;
        } else {
            const std::size_t start = i;
            while (i < text.size() && !isBlank(text[i]))
                ++i;
            const std::string word(text.substr(start, i - start));
            words.push_back({word, word, false});
        }
    }
}

bool sameKeyword(const std::string& word, std::string_view keyword) {
    return std::equal(word.begin(), word.end(), keyword.begin(), keyword.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}

// Reads the words one by one, knowing where it stands for the error texts.
class Reader {
public:
    explicit Reader(std::vector<Word> words) : words_(std::move(words)) {}

    bool atEnd() const { return next_ == words_.size(); }

    bool takeKeyword(std::initializer_list<std::string_view> keywords) {
        if (atEnd() || words_[next_].quoted) return false;
        for (std::string_view keyword : keywords) {
            if (sameKeyword(words_[next_].text, keyword)) {
                ++next_;
                return true;
            }
        }
        return false;
    }

    void expectKeyword(std::initializer_list<std::string_view> keywords, const char* expected) {
        if (!takeKeyword(keywords)) fail(expected);
    }

    std::string takeName() {
        if (atEnd() || words_[next_].quoted) fail("un nom de fichier est attendu");
        return words_[next_++].text;
    }

    std::optional<int> takeField() {
        if (atEnd() || words_[next_].quoted) return std::nullopt;
        const std::optional<int> field = parseFieldNumber(words_[next_].text);
        if (field) ++next_;
        return field;
    }

    int expectField() {
        const std::optional<int> field = takeField();
        if (!field) fail("un numéro de champ est attendu");
        return *field;
    }

    std::string expectValue() {
        if (atEnd() || !words_[next_].quoted) fail("une valeur entre guillemets est attendue");
        return words_[next_++].text;
    }

    [[noreturn]] void fail(const std::string& expected) const {
        if (atEnd()) failWhere("à la fin de la phrase", expected);
        failAt(next_, words_[next_].written, expected);
    }

private:
    std::vector<Word> words_;
    std::size_t next_ = 0;
};

Sentence::Test readTest(Reader& reader, std::optional<int> previousField) {
    std::optional<int> field = reader.takeField();
    if (!field) field = previousField;
    if (!field) reader.fail("un numéro de champ est attendu");
    reader.expectKeyword({"="}, "« = » est attendu");
    return {*field, reader.expectValue()};
}

}  // namespace

std::optional<int> parseFieldNumber(std::string_view word) {
    int field = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), field);
    if (error != std::errc() || end != word.data() + word.size() || field < 0) return std::nullopt;
    return field;
}

Sentence parseSentence(std::string_view text) {
    Reader reader(splitWords(text));
    reader.expectKeyword({"SSELECT", "SELECT"}, "SELECT ou SSELECT est attendu");
    Sentence sentence;
    sentence.file = reader.takeName();
    while (!reader.atEnd()) {
        if (reader.takeKeyword({"WITH", "AVEC"})) {
            Sentence::Condition condition{readTest(reader, std::nullopt)};
            while (reader.takeKeyword({"OR", "OU"})) {
                condition.push_back(readTest(reader, condition.back().field));
            }
            sentence.conditions.push_back(std::move(condition));
        } else if (reader.takeKeyword({"BY", "PAR"})) {
            sentence.sortFields.push_back(reader.expectField());
        } else {
            reader.fail("WITH, AVEC, BY ou PAR est attendu");
        }
    }
    return sentence;
}

}  // namespace mvdb
