#include "platform/help/RecordingHelpViewer.h"

namespace help {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') result += '\\';
        result += c;
    }
    return result + '"';
}

}  // namespace

std::string RecordingHelpViewer::Call::text() const {
    std::string line = operation;
    for (const std::string& argument : arguments)
        line += ' ' + quoted(argument);
    return line;
}

void RecordingHelpViewer::ShowHelp(std::string& page, std::string& context, std::string& title,
                                   std::string& options) {
    record({"ShowHelp", {page, context, title, options}});
}

void RecordingHelpViewer::SetClient(component::Ref<mvdb::DbClient> client) {
    record({"SetClient", {client ? client->UserName() : kNothing}});
}

void RecordingHelpViewer::SetDatabase(component::Ref<mvdb::Database> database) {
    record({"SetDatabase", {database ? database->Name() : kNothing}});
}

void RecordingHelpViewer::record(Call call) {
    calls_.push_back(std::move(call));
    if (listener_) listener_(calls_.back());
}

}  // namespace help
